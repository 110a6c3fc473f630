#pragma once
// Decodes JPEG pictures with libjpeg.

#include <QImage>

#include <string_view>

// The picture, or a null image when the data is not a JPEG picture that libjpeg can read
// or when it is wider or higher than 4096 pixels.
QImage DecodeJpeg(std::string_view data);
