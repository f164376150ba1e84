// A picture loader that decodes JPEG files with libjpeg into its picture.
#pragma once
#include <QImage>
#include <QRect>
#include <functional>
#include <string>

enum class TNumOfColors { _16, _256, TrueColor };
enum class TDCTMethod { Integ, FastInteg, FloatingPoint };
enum class TDither { None, FS, Ordered };

class TJPEGImage {
public:
    TJPEGImage();
    ~TJPEGImage();
    TJPEGImage(const TJPEGImage&) = delete;
    TJPEGImage& operator=(const TJPEGImage&) = delete;

    TNumOfColors NumOfColors() const { return numOfColors_; }
    TDCTMethod DCTMethod() const { return dctMethod_; }
    TDither Dither() const { return dither_; }
    bool FastProcessing() const { return boolProps_[0]; }
    bool GrayScale() const { return boolProps_[1]; }
    bool NoSmooth() const { return boolProps_[2]; }
    bool OnePass() const { return boolProps_[3]; }
    const std::string& FileName() const { return fileName_; }

    // Each setter stores its value and decodes the held file again.
    void SetNumOfColors(TNumOfColors v);
    void SetDCTMethod(TDCTMethod v);
    void SetDither(TDither v);
    // 0 FastProcessing, 1 GrayScale, 2 NoSmooth, 3 OnePass.
    void SetBoolProp(int index, bool v);
    void SetFastProcessing(bool v) { SetBoolProp(0, v); }
    void SetGrayScale(bool v) { SetBoolProp(1, v); }
    void SetNoSmooth(bool v) { SetBoolProp(2, v); }
    void SetOnePass(bool v) { SetBoolProp(3, v); }
    // Reads the whole file (EFOpenError when it cannot), then decodes it.
    // Decoding errors raise EJPEGException; the picture then stays as it was.
    void SetFileName(const std::string& path);
    // Decodes bytes held in memory as if they had been read from a file.
    void SetData(const std::string& bytes);

    int ProgressStep = 10;  // 1 to 100
    std::function<void(TJPEGImage*)> OnProgress;

    // The decoded picture: Indexed8 with a 256-entry colour table for
    // quantised or grey output, RGB888 otherwise. Other loaders may put any
    // picture here.
    QImage Picture;
    // Position and size as the window lays the component out.
    QRect Bounds;

private:
    void Decode();
    TNumOfColors numOfColors_ = TNumOfColors::_256;
    TDCTMethod dctMethod_ = TDCTMethod::Integ;
    TDither dither_ = TDither::FS;
    bool boolProps_[4] = {false, false, false, false};
    std::string fileName_;
    std::string buffer_;
};
