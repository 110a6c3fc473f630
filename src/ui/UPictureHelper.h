#pragma once
// Metafile pictures (WMF, EMF), drawn by the helper program taskwren-picture beside the
// executable, in a process of its own with limits on its time and memory.

#include <QImage>

#include <filesystem>
#include <string_view>

// The picture drawn by `helper` from `data` in `format` ("wmf" or "emf"), or a null image
// when it does not draw: the data does not, the helper is missing, crashes, runs out of its
// time or memory, or answers what is no picture of at most 4096 by 4096 pixels.
QImage DrawMetafile(const std::filesystem::path& helper, std::string_view format, std::string_view data);
