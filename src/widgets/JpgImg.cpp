#include "widgets/JpgImg.h"

#include "base/Errors.h"
#include "base/LineList.h"

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::SetNumOfColors(TNumOfColors v) { numOfColors_ = v; Decode(); }
void TJPEGImage::SetDCTMethod(TDCTMethod v) { dctMethod_ = v; Decode(); }
void TJPEGImage::SetDither(TDither v) { dither_ = v; Decode(); }
void TJPEGImage::SetBoolProp(int index, bool v)
{
    if (index < 0 || index > 3) return;
    boolProps_[index] = v;
    Decode();
}

void TJPEGImage::SetFileName(const std::string& path)
{
    fileName_ = path;
    if (path.empty()) buffer_.clear();
    else buffer_ = ReadFileBytes(path);
    Decode();
}

void TJPEGImage::SetData(const std::string& bytes)
{
    buffer_ = bytes;
    Decode();
}

void TJPEGImage::Decode()
{
    // Decoder arrives with the JPEG work; until then Qt's reader stands in.
    if (buffer_.empty()) return;
    QImage img;
    if (!img.loadFromData(reinterpret_cast<const uchar*>(buffer_.data()), static_cast<int>(buffer_.size()), "JPEG"))
        throw EJPEGException("Not a JPEG file");
    Picture = img;
}
