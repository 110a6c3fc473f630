// libFuzzer target: the banner formats Qt decodes in the program, chosen by the first byte:
// BMP and ICO as still pictures, GIF as the animation plays it, frame after frame, each behind
// its size refusal. No crash and no hang.

#include "ui/UPictureBounds.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QMovie>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "taskwren";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    switch (data[0] % 3) {
    case 0:
        static_cast<void>(DecodeStillWithinBounds(view, "BMP"));
        break;
    case 1:
        static_cast<void>(DecodeStillWithinBounds(view, "ICO"));
        break;
    default: {
        if (!GifWithinBounds(view))
            break;
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QMovie animation(&buffer, "gif");
        // As the banner plays it: the first frame, then the next ones in turn.
        if (animation.isValid() && animation.jumpToFrame(0))
            for (int frame = 0; frame < 64 && animation.jumpToNextFrame(); ++frame)
                static_cast<void>(animation.currentImage());
        break;
    }
    }
    return 0;
}
