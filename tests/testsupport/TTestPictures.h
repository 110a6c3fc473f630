#pragma once
// Banner pictures made in the tests: still pictures through Qt's writers, and the formats Qt
// cannot write (an animated GIF, a Windows metafile) byte by byte.

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// A picture whose left half is red and right half blue, so that a decoder that swaps the
// colours or mirrors the rows shows it.
inline QImage RedBlue(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 0, width / 2, height, Qt::red);
    return picture;
}

inline std::string Encoded(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format, 95);
    return bytes.toStdString();
}

namespace TestPictures {

inline void Add16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

inline void Add32(std::string& out, std::uint32_t value)
{
    Add16(out, value & 0xFFFF);
    Add16(out, value >> 16);
}

// LZW data for 2-bit pixels without compression: a clear code before every two pixels keeps
// the code width at 3 bits.
inline std::string GifImageData(const std::vector<int>& pixels)
{
    std::vector<int> codes;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (i % 2 == 0)
            codes.push_back(4); // clear
        codes.push_back(pixels[i]);
    }
    codes.push_back(5); // end of information
    std::string packed;
    unsigned bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= static_cast<unsigned>(code) << count;
        count += 3;
        while (count >= 8) {
            packed += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        packed += static_cast<char>(bits & 0xFF);
    std::string data(1, '\x02'); // minimum code size
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::string block = packed.substr(at, 255);
        data += static_cast<char>(block.size());
        data += block;
    }
    return data + '\0';
}

} // namespace TestPictures

// A GIF89a animation of `width` by `height` pixels with two frames, 20 ms each: all red,
// then all blue.
inline std::string TwoFrameGif(int width, int height)
{
    using namespace TestPictures;
    std::string gif = "GIF89a";
    Add16(gif, width);
    Add16(gif, height);
    gif += "\x91"; // a global colour table of 4 entries
    gif += std::string("\0\0", 2);
    gif += std::string("\xFF\x00\x00"
                       "\x00\x00\xFF"
                       "\x00\x00\x00"
                       "\xFF\xFF\xFF",
                       12);
    gif += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop for ever
    for (int colour : {0, 1}) {
        gif += std::string("\x21\xF9\x04\x00\x02\x00\x00\x00", 8); // 2 hundredths of a second
        gif += ',';
        Add16(gif, 0);
        Add16(gif, 0);
        Add16(gif, width);
        Add16(gif, height);
        gif += '\0';
        gif += GifImageData(std::vector<int>(static_cast<std::size_t>(width * height), colour));
    }
    return gif + ';';
}

// A placeable Windows metafile of `width` by `height` pixels (at 72 per inch) filled with a
// red rectangle.
inline std::string RedWmf(int width, int height)
{
    using namespace TestPictures;
    std::string placeable;
    Add32(placeable, 0x9AC6CDD7);
    for (unsigned word : {0u, 0u, 0u, static_cast<unsigned>(width), static_cast<unsigned>(height), 72u, 0u, 0u})
        Add16(placeable, word);
    unsigned checksum = 0;
    for (std::size_t i = 0; i < placeable.size(); i += 2)
        checksum ^= static_cast<unsigned char>(placeable[i]) | (static_cast<unsigned char>(placeable[i + 1]) << 8);
    Add16(placeable, checksum);

    std::string records;
    const auto record = [&records](unsigned function, std::initializer_list<unsigned> words) {
        Add32(records, static_cast<std::uint32_t>(3 + words.size()));
        Add16(records, function);
        for (unsigned word : words)
            Add16(records, word);
    };
    record(0x020B, {0, 0});                                                        // SETWINDOWORG
    record(0x020C, {static_cast<unsigned>(height), static_cast<unsigned>(width)}); // SETWINDOWEXT
    record(0x02FC, {0, 0x00FF, 0x0000, 0});                                        // CREATEBRUSHINDIRECT: solid red
    record(0x012D, {0});                                                           // SELECTOBJECT
    record(0x041B, {static_cast<unsigned>(height), static_cast<unsigned>(width), 0, 0}); // RECTANGLE
    record(0x0000, {});                                                                  // EOF

    std::string header;
    Add16(header, 1);
    Add16(header, 9);
    Add16(header, 0x0300);
    Add32(header, static_cast<std::uint32_t>((18 + records.size()) / 2));
    Add16(header, 1);
    Add32(header, 8);
    Add16(header, 0);
    return placeable + header + records;
}
