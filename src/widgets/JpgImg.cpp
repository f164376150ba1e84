#include "widgets/JpgImg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

#include "base/Errors.h"
#include "base/LineList.h"

namespace {

// The source hands libjpeg the file in pieces of this size, straight from the buffer.
constexpr size_t kChunkSize = 4096;
// What the source supplies once the data runs out: an end-of-image marker.
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

// libjpeg reports errors by calling error_exit, which must not return. We
// jump back to the decoder, which then destroys the decompressor and raises
// the error with the library's message. No C++ object with a destructor may
// live in any frame between the setjmp and the jump: see RunDecoder.
struct ErrorManager {
    jpeg_error_mgr pub;
    void (*libraryFormat)(j_common_ptr, char*);
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void FormatMessage(j_common_ptr cinfo, char* buffer)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    // The reader knows this one in the form it always had, with "$" hex bytes.
    if (err->pub.msg_code == JERR_NO_SOI) {
        std::snprintf(buffer, JMSG_LENGTH_MAX, "Not a JPEG file: starts with $%02x $%02x",
                      static_cast<unsigned>(err->pub.msg_parm.i[0]) & 0xFF,
                      static_cast<unsigned>(err->pub.msg_parm.i[1]) & 0xFF);
        return;
    }
    err->libraryFormat(cinfo, buffer);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->pub.format_message(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Level -1 is a warning about damaged data: it ends the decoding like an
// error (see the header). Levels 0 and up are trace messages, never wanted.
void EmitMessage(j_common_ptr cinfo, int msgLevel)
{
    if (msgLevel < 0) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

struct MemorySource {
    jpeg_source_mgr pub;
    const JOCTET* data;
    size_t size;
    size_t pos;  // bytes already handed to libjpeg
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    if (src->pos >= src->size) {
        // Out of data before the end of the image: say so, and end the image
        // so that libjpeg never waits for bytes that will not come.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->pub.next_input_byte = kEndOfImage;
        src->pub.bytes_in_buffer = sizeof kEndOfImage;
        return TRUE;
    }
    const size_t n = std::min(kChunkSize, src->size - src->pos);
    src->pub.next_input_byte = src->data + src->pos;
    src->pub.bytes_in_buffer = n;
    src->pos += n;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long numBytes)
{
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    if (numBytes <= 0) return;
    size_t skip = static_cast<size_t>(numBytes);
    if (skip <= src->pub.bytes_in_buffer) {
        src->pub.next_input_byte += skip;
        src->pub.bytes_in_buffer -= skip;
        return;
    }
    skip -= src->pub.bytes_in_buffer;
    src->pub.bytes_in_buffer = 0;
    // The next fill starts after the skipped data, or reports the end.
    src->pos += std::min(skip, src->size - src->pos);
}

struct Options {
    TNumOfColors numOfColors;
    TDCTMethod dctMethod;
    TDither dither;
    bool fastProcessing, grayScale, noSmooth, onePass;
    int progressStep;
};

struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    MemorySource src;
    bool created;
    char refusal[256];  // our own reason to refuse a picture
};

enum class Outcome { Done, LibraryError, Refused };

// Runs libjpeg over the bytes into result. Only trivially destructible locals
// may be alive across a libjpeg call here, since an error longjmps out of it;
// result and the progress handler belong to the caller. An exception thrown
// by the progress handler leaves normally.
Outcome RunDecoder(DecodeJob& job, const std::string& bytes, const Options& o, QImage& result,
                   const std::function<void(int)>& notify)
{
    jpeg_decompress_struct& cinfo = job.cinfo;
    cinfo.err = jpeg_std_error(&job.err.pub);
    job.err.libraryFormat = job.err.pub.format_message;
    job.err.pub.error_exit = ErrorExit;
    job.err.pub.emit_message = EmitMessage;
    job.err.pub.output_message = OutputMessage;
    job.err.pub.format_message = FormatMessage;
    job.err.pub.trace_level = 0;
    if (setjmp(job.err.jump)) return Outcome::LibraryError;

    jpeg_create_decompress(&cinfo);
    job.created = true;
    jpeg_save_markers(&cinfo, JPEG_COM, 0);  // comments are skipped, not kept

    job.src.pub.init_source = InitSource;
    job.src.pub.fill_input_buffer = FillInputBuffer;
    job.src.pub.skip_input_data = SkipInputData;
    job.src.pub.resync_to_restart = jpeg_resync_to_restart;
    job.src.pub.term_source = TermSource;
    job.src.pub.next_input_byte = nullptr;
    job.src.pub.bytes_in_buffer = 0;
    job.src.data = reinterpret_cast<const JOCTET*>(bytes.data());
    job.src.size = bytes.size();
    job.src.pos = 0;
    cinfo.src = &job.src.pub;

    jpeg_read_header(&cinfo, TRUE);
    const long long pixels = static_cast<long long>(cinfo.image_width) * cinfo.image_height;
    if (pixels > TJPEGImage::MaxPixels) {
        std::snprintf(job.refusal, sizeof job.refusal, "%s",
                      PictureTooLargeMessage(cinfo.image_width, cinfo.image_height).c_str());
        return Outcome::Refused;
    }

    // The options, in this order, over the library's defaults.
    if (o.numOfColors == TNumOfColors::TrueColor) {
        cinfo.quantize_colors = FALSE;
    } else {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = o.numOfColors == TNumOfColors::_16 ? 16 : 256;
    }
    cinfo.dct_method = o.dctMethod == TDCTMethod::Integ       ? JDCT_ISLOW
                       : o.dctMethod == TDCTMethod::FastInteg ? JDCT_IFAST
                                                              : JDCT_FLOAT;
    cinfo.dither_mode = o.dither == TDither::None ? JDITHER_NONE
                        : o.dither == TDither::FS ? JDITHER_FS
                                                  : JDITHER_ORDERED;
    if (o.fastProcessing) {
        cinfo.two_pass_quantize = FALSE;
        cinfo.dither_mode = JDITHER_ORDERED;
        if (!cinfo.quantize_colors) cinfo.desired_number_of_colors = 216;
        cinfo.dct_method = JDCT_IFAST;
        cinfo.do_fancy_upsampling = FALSE;
    }
    if (o.grayScale) cinfo.out_color_space = JCS_GRAYSCALE;
    if (o.noSmooth) cinfo.do_fancy_upsampling = FALSE;
    if (o.onePass) cinfo.two_pass_quantize = FALSE;

    if (cinfo.out_color_space != JCS_RGB && cinfo.out_color_space != JCS_GRAYSCALE) {
        std::snprintf(job.refusal, sizeof job.refusal, "%s",
                      "4 チャンネル (CMYK) などの JPEG 画像は表示できません");
        return Outcome::Refused;
    }

    jpeg_start_decompress(&cinfo);
    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    const bool indexed = cinfo.quantize_colors || cinfo.out_color_components == 1;
    result = QImage(width, height, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB888);
    if (result.isNull()) {
        std::snprintf(job.refusal, sizeof job.refusal, "%s", PictureTooLargeMessage(width, height).c_str());
        return Outcome::Refused;
    }
    if (indexed) {
        result.setColorCount(256);
        for (int i = 0; i < 256; ++i) {
            QRgb c = qRgb(0, 0, 0);  // beyond the library's map
            if (!cinfo.quantize_colors) {
                c = qRgb(i, i, i);
            } else if (i < cinfo.actual_number_of_colors) {
                if (cinfo.out_color_components == 1) {
                    const int g = cinfo.colormap[0][i];
                    c = qRgb(g, g, g);
                } else {
                    c = qRgb(cinfo.colormap[0][i], cinfo.colormap[1][i], cinfo.colormap[2][i]);
                }
            }
            result.setColor(i, c);
        }
    }
    if (cinfo.density_unit == 2 && cinfo.X_density > 0 && cinfo.Y_density > 0) {
        result.setDotsPerMeterX(100 * cinfo.X_density);
        result.setDotsPerMeterY(100 * cinfo.Y_density);
    }

    uchar* const bits = result.bits();
    const qsizetype stride = result.bytesPerLine();
    int lastNotified = 0;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = bits + stride * static_cast<qsizetype>(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, &row, 1);
        const int percent = static_cast<int>(static_cast<long long>(cinfo.output_scanline) * 100 / height);
        if (percent != lastNotified && percent % o.progressStep == 0) {
            lastNotified = percent;
            notify(percent);
        }
    }
    jpeg_finish_decompress(&cinfo);
    return Outcome::Done;
}

struct DecompressorGuard {
    DecodeJob& job;
    ~DecompressorGuard()
    {
        if (job.created) jpeg_destroy_decompress(&job.cinfo);
    }
};

} // namespace

std::string PictureTooLargeMessage(long long width, long long height)
{
    return "画像が大きすぎて表示できません (" + std::to_string(width) + " x " + std::to_string(height) + ")";
}

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
    if (path.empty()) buffer_.reset();
    else buffer_ = std::make_shared<const std::string>(ReadFileBytes(path));
    Decode();
}

void TJPEGImage::SetData(const std::string& bytes)
{
    buffer_ = std::make_shared<const std::string>(bytes);
    Decode();
}

void TJPEGImage::Decode()
{
    const std::shared_ptr<const std::string> bytes = buffer_;
    if (!bytes || bytes->empty()) return;

    const Options options{numOfColors_, dctMethod_, dither_, boolProps_[0], boolProps_[1],
                          boolProps_[2], boolProps_[3], std::clamp(ProgressStep, 1, 100)};
    const std::function<void(int)> notify = [this](int percent) {
        percentDone_ = percent;
        if (OnProgress) OnProgress(this);
    };
    QImage result;
    DecodeJob job;
    std::memset(static_cast<void*>(&job), 0, sizeof job);
    DecompressorGuard guard{job};
    switch (RunDecoder(job, *bytes, options, result, notify)) {
    case Outcome::Done:
        break;
    case Outcome::LibraryError:
        throw EJPEGException(job.err.message);
    case Outcome::Refused:
        throw EJPEGException(job.refusal);
    }
    Picture = std::move(result);
}
