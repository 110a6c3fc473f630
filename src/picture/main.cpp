// taskwren-picture wmf|emf: draws the metafile on its standard input and answers its pixels
// on its standard output (see UPictureAnswer); status 1 when it does not draw. The program
// starts it for each metafile banner with limits on its time and memory: the metafile
// libraries are far less hardened than the program, and whatever a hostile file does to
// them ends this process, never the program.

#include "picture/UMetafileDecoder.h"
#include "picture/UMetafileRecords.h"
#include "picture/UPictureAnswer.h"

#include <QGuiApplication>

#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

namespace {

// At most `limit` bytes of standard input, and whether it ended there.
bool ReadInput(std::string& data, std::size_t limit)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (data.size() + static_cast<std::size_t>(got) > limit)
            return false;
        data.append(buffer, static_cast<std::size_t>(got));
    }
}

bool WriteAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void Append32(std::string& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>(value >> shift & 0xFF);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view format = argc == 2 ? argv[1] : "";
    std::string data;
    if ((format != "wmf" && format != "emf") || !ReadInput(data, MaxMetafileBytes))
        return 1;
    // Fonts for the metafiles' text, and never a window system; what Qt makes of a broken
    // picture is of no use to the program's user.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication application(argc, argv);
    const QImage picture =
        (format == "wmf" ? DecodeWmf(data) : DecodeEmf(data)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return 1;
    std::string header(PictureAnswerMagic);
    Append32(header, static_cast<std::uint32_t>(picture.width()));
    Append32(header, static_cast<std::uint32_t>(picture.height()));
    bool written = WriteAll(header);
    for (int row = 0; written && row < picture.height(); ++row)
        written = WriteAll(std::string_view(reinterpret_cast<const char*>(picture.constScanLine(row)),
                                            static_cast<std::size_t>(picture.width()) * 4));
    return written ? 0 : 1;
}
