// A picture loader that decodes JPEG files with libjpeg into its picture.
#pragma once
#include <QImage>
#include <QRect>
#include <functional>
#include <memory>
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

    // Pictures with more pixels than this are refused before anything is
    // allocated for them: a damaged or hostile header could otherwise ask for
    // gigabytes. Eight times the largest picture the screen can use.
    static constexpr long long MaxPixels = 8192LL * 8192LL;

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
    //
    // Warnings: libjpeg reports damaged data (a file cut short, corrupt
    // entropy data, extra bytes before a marker) as warnings. Decoding stops
    // at the first one with an EJPEGException carrying its text, for example
    // "Premature end of JPEG file", so a damaged picture is never shown half
    // grey and garbage cannot keep the decoder busy with thousands of them.
    void SetFileName(const std::string& path);
    // Decodes bytes held in memory as if they had been read from a file.
    void SetData(const std::string& bytes);

    // Percentage step of OnProgress, 1 to 100; a value outside counts as the
    // nearest end.
    int ProgressStep = 10;
    std::function<void(TJPEGImage*)> OnProgress;
    // The percentage of rows decoded at the latest notification.
    int PercentDone() const { return percentDone_; }

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
    int percentDone_ = 0;
    // Shared so that a decode keeps its bytes even if a progress handler
    // sets a new file meanwhile.
    std::shared_ptr<const std::string> buffer_;
};

// The reader's message for a picture too large to show.
std::string PictureTooLargeMessage(long long width, long long height);
