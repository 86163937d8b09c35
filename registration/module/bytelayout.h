#pragma once
// Compile-time byte images of the records the module carries. A layout is a type with
//   template <typename Out> constexpr void operator()(Out &) const
// that writes the record through the helpers below; MakeBytes runs it once to measure and once
// to fill a std::array of exactly that size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace KorModule {

struct ByteCounter {
    std::size_t Size = 0;
    constexpr void Byte(std::uint8_t) { ++Size; }
};

template <std::size_t N> struct ByteImage {
    std::array<std::uint8_t, N> Data{};
    std::size_t Size = 0;
    constexpr void Byte(std::uint8_t value) { Data[Size++] = value; }
};

template <typename Out> constexpr void PutU16(Out &out, std::uint16_t value)
{
    out.Byte(static_cast<std::uint8_t>(value & 0xFF));
    out.Byte(static_cast<std::uint8_t>(value >> 8));
}

template <typename Out> constexpr void PutU32(Out &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.Byte(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

// A zero-terminated 8-bit string.
template <typename Out> constexpr void PutCString(Out &out, std::string_view text)
{
    for (char ch : text)
        out.Byte(static_cast<std::uint8_t>(ch));
    out.Byte(0);
}

// A zero-terminated UTF-16LE string from ASCII text.
template <typename Out> constexpr void PutUtf16(Out &out, std::string_view text)
{
    for (char ch : text)
        PutU16(out, static_cast<std::uint8_t>(ch));
    PutU16(out, 0);
}

template <typename Layout> constexpr std::size_t LayoutSize()
{
    ByteCounter counter;
    Layout{}(counter);
    return counter.Size;
}

template <typename Layout> constexpr auto MakeBytes()
{
    ByteImage<LayoutSize<Layout>()> image;
    Layout{}(image);
    return image.Data;
}

} // namespace KorModule
