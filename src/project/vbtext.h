#pragma once
// The number texts of the program. People read and type numbers with the comma as the
// decimal separator; DXF files carry the point. The forms follow the classic conventions
// the drawings and files were designed around:
//   vbStr        " 1.5", "-1.5", " .5", " 1.234568E+07"   (leading blank for >= 0, point)
//   testoNumero  "1,5", "0,5", "1,234568E+07"             (default text form, comma)
//   formatta     "###0.0000" -> "12,5000";  "###0" -> "13";  "#.00" -> ",50"
#include <cstdint>
#include <string>
#include <string_view>

namespace carvela {

// Seven significant digits, exponent form outside 1E-04 .. 9999999.
std::string vbStr(float v);
// Str of a whole number: " 12", "-3".
std::string vbStr(int64_t v);
inline std::string vbStr(int v) { return vbStr(static_cast<int64_t>(v)); }
inline std::string vbStr(int16_t v) { return vbStr(static_cast<int64_t>(v)); }
// The same texts appended to `dest`, for writers that make large files.
void aggiungiStr(std::string& dest, float v);
void aggiungiStr(std::string& dest, int64_t v);

// Default text form of a single-precision value, with the given decimal separator.
std::string testoNumero(float v, char decimale = ',');
std::string testoNumero(int64_t v);
inline std::string testoNumero(int v) { return testoNumero(static_cast<int64_t>(v)); }

// Format with one of the patterns "###0.0000", "###0", "#.00" (or any pattern made of
// '#', '0' and one '.': '#' optional digits, '0' required digits). Rounds half away
// from zero. The pattern's '.' becomes `decimale` in the result.
std::string formatta(double v, std::string_view pattern, char decimale = ',');

// Numeric test and conversion of typed text: blanks around, an optional sign, digits with
// one decimal comma (a point is taken as the decimal separator when there is no comma),
// an optional exponent. Empty text, a lone sign, two separators: not a number.
bool leggiNumero(std::string_view text, double& out);
bool leggiFloat(std::string_view text, float& out);
// Whole-number conversions round half to even and fail outside the type's range.
bool leggiIntero16(std::string_view text, int16_t& out);
bool leggiIntero32(std::string_view text, int32_t& out);
bool leggiByte(std::string_view text, uint8_t& out);

// Round half to even, as the classic integer conversion does.
int64_t arrotondaPari(double v);
// Largest whole number not above v.
inline double vbInt(double v) { return v < 0 && static_cast<double>(static_cast<int64_t>(v)) != v
                                           ? static_cast<double>(static_cast<int64_t>(v) - 1)
                                           : static_cast<double>(static_cast<int64_t>(v)); }

}  // namespace carvela
