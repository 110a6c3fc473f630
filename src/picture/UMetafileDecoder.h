#pragma once
// Draws Windows metafiles: WMF through libwmf and EMF through libemf2svg, each turned into
// SVG and drawn by Qt's SVG renderer at the metafile's own size.

#include <QImage>

#include <string_view>

// The picture, or a null image when the data does not draw or passes the bounds of
// UMetafileRecords, or the picture those of UPictureAnswer. Only ever run in the helper
// program: the libraries are not hardened against hostile files.
QImage DecodeWmf(std::string_view data);
QImage DecodeEmf(std::string_view data);
