#pragma once
// The fuzz targets: each takes any bytes and must neither crash nor disagree with its reference.
#include "search/content_rule.h"

#include <cstddef>
#include <cstdint>

int FuzzMask(const std::uint8_t* data, std::size_t size);
int FuzzContent(const std::uint8_t* data, std::size_t size);
int FuzzOptions(const std::uint8_t* data, std::size_t size);
int FuzzPattern(const std::uint8_t* data, std::size_t size);
int FuzzLocate(const std::uint8_t* data, std::size_t size);

// Capitals of ASCII, Latin-1 and a few letters beyond, some of whose capitals are shorter in UTF-8.
findlark::CaseFolding FuzzFolding();
