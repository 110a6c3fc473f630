#include "picture/UMetafileDecoder.h"

#include "picture/UMetafileRecords.h"
#include "picture/UPictureAnswer.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <memory>
#include <string>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

// Pictures larger than this are refused rather than drawn: a banner never is.
constexpr int LargestSide = static_cast<int>(MaxPictureSide);

QImage DrawSvg(const QByteArray& svg)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    const QSize size = renderer.defaultSize();
    if (size.isEmpty() || size.width() > LargestSide || size.height() > LargestSide)
        return {};
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
}

struct TWmfApi {
    wmfAPI* Api = nullptr;
    ~TWmfApi()
    {
        if (Api != nullptr)
            wmf_api_destroy(Api); // frees everything the library allocated for it
    }
};

} // namespace

QImage DecodeWmf(std::string_view data)
{
    if (data.empty() || !WmfWithinBounds(data))
        return {};
    // libwmf reads the buffer but takes it without const; it outlives the library's state.
    std::string bytes(data);
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    TWmfApi wmf;
    if (wmf_api_create(&wmf.Api, flags, &options) != wmf_E_None)
        return {};
    if (wmf_mem_open(wmf.Api, reinterpret_cast<unsigned char*>(bytes.data()), static_cast<long>(bytes.size())) !=
        wmf_E_None)
        return {};
    wmfD_Rect bounds{};
    if (wmf_scan(wmf.Api, 0, &bounds) != wmf_E_None)
        return {};
    wmf_svg_t* device = WMF_SVG_GetData(wmf.Api);
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_display_size(wmf.Api, &width, &height, 72, 72) != wmf_E_None)
        return {};
    device->out = wmf_stream_create(wmf.Api, nullptr);
    device->bbox = bounds;
    device->width = width;
    device->height = height;
    if (device->out == nullptr || wmf_play(wmf.Api, 0, &bounds) != wmf_E_None)
        return {};
    char* svg = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(wmf.Api, device->out, &svg, &length);
    device->out = nullptr;
    return svg == nullptr ? QImage() : DrawSvg(QByteArray(svg, static_cast<qsizetype>(length)));
}

QImage DecodeEmf(std::string_view data)
{
    if (data.empty() || !EmfWithinBounds(data))
        return {};
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    std::string bytes(data); // taken without const, read only
    char* svg = nullptr;
    size_t length = 0;
    const int converted = emf2svg(bytes.data(), bytes.size(), &svg, &length, &options);
    const std::unique_ptr<char, decltype(&std::free)> owned(svg, &std::free);
    if (converted == 0 || svg == nullptr)
        return {};
    return DrawSvg(QByteArray(svg, static_cast<qsizetype>(length)));
}
