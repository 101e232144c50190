#pragma once
// The fuzz targets: each takes any bytes and must neither crash nor disagree with its reference.
#include <cstddef>
#include <cstdint>

int FuzzMask(const std::uint8_t* data, std::size_t size);
int FuzzContent(const std::uint8_t* data, std::size_t size);
int FuzzOptions(const std::uint8_t* data, std::size_t size);
int FuzzPattern(const std::uint8_t* data, std::size_t size);
