#include "core/units.h"

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace velmar {

namespace {

// One step of a conversion: multiply or divide by a factor.
struct Step {
  char op;  // '*' or '/'
  double factor;
};

struct Conversion {
  Step steps[3];
  int count;
};

constexpr Conversion conv(Step a) { return {{a, {'*', 1}, {'*', 1}}, 1}; }
constexpr Conversion conv(Step a, Step b) { return {{a, b, {'*', 1}}, 2}; }
constexpr Conversion conv(Step a, Step b, Step c) { return {{a, b, c}, 3}; }
constexpr Step mul(double f) { return {'*', f}; }
constexpr Step div(double f) { return {'/', f}; }
constexpr Conversion same = {{{'*', 1}, {'*', 1}, {'*', 1}}, 0};

// kConversion[from][to], each cell applied from left to right.
constexpr Conversion kConversion[8][8] = {
    // from Па
    {same, conv(div(1000)), conv(div(1000000)), conv(mul(1e-5)), conv(mul(1.01972), mul(1e-5)),
     conv(mul(1.01972), mul(0.1)), conv(mul(7.50075), mul(0.001)), conv(mul(0.10197))},
    // from кПа
    {conv(mul(1000)), same, conv(div(1000)), conv(mul(1e-5), mul(1000)), conv(mul(1.01972), mul(1e-5), mul(1000)),
     conv(mul(1.01972), mul(0.1), mul(1000)), conv(mul(7.50075), mul(0.001), mul(1000)),
     conv(mul(0.10197), mul(1000))},
    // from МПа
    {conv(mul(1000000)), conv(mul(1000)), same, conv(mul(1e-5), mul(1000000)),
     conv(mul(1.01972), mul(1e-5), mul(1000000)), conv(mul(1.01972), mul(0.1), mul(1000000)),
     conv(mul(7.50075), mul(0.001), mul(1000000)), conv(mul(0.10197), mul(1000000))},
    // from бар
    {conv(mul(100000)), conv(mul(100)), conv(mul(0.1)), same, conv(mul(1.01972)), conv(mul(1.01972), mul(10000)),
     conv(mul(750.075)), conv(mul(10197))},
    // from кгс/см2
    {conv(div(1.01972e-5)), conv(mul(98066.5), div(1000)), conv(mul(98066.5), div(1000000)), conv(mul(0.980665)),
     same, conv(mul(10000)), conv(mul(735.56)), conv(mul(10000))},
    // from кгс/м2
    {conv(div(1.01972e-5), div(10000)), conv(mul(9.80665), div(1000)), conv(mul(9.80665), div(1000000)),
     conv(mul(0.980665), div(10000)), conv(div(10000)), same, conv(mul(735.56), div(10000)),
     conv(mul(10000), div(10000))},
    // from мм рт.ст.
    {conv(div(0.00750075)), conv(mul(133.322), div(1000)), conv(mul(133.322), div(1000000)),
     conv(mul(1.33322), mul(0.001)), conv(mul(1.3595), mul(0.001)), conv(mul(1.3595), mul(0.001), mul(10000)), same,
     conv(mul(13.595))},
    // from мм вод.ст.
    {conv(div(0.10197)), conv(mul(9.80665), div(1000)), conv(mul(9.80665), div(1000000)),
     conv(mul(0.980665), mul(1e-4)), conv(mul(1e-4)), conv(mul(1e-4), mul(10000)), conv(mul(7.3556), mul(0.01)), same},
};

}  // namespace

void ConvertPressure(int from, int to, double& value) {
  if (from < 0 || from > 7 || to < 0 || to > 7) return;
  const Conversion& c = kConversion[from][to];
  for (int i = 0; i < c.count; ++i) {
    value = c.steps[i].op == '*' ? value * c.steps[i].factor : value / c.steps[i].factor;
  }
}

double RoundSignificant(int n, double x) {
  if (x == 0 || n <= 0) return 0;
  if (n >= 10 || !std::isfinite(x)) return x;
  long long L = 1;
  for (int i = 0; i < n; ++i) L *= 10;
  const double s = x < 0 ? -1.0 : 1.0;
  double c = std::fabs(x);
  int k = 0;
  // Each loop ends: the smallest double needs fewer than 400 steps up, and a
  // finite one fewer than 400 steps down.
  while (c <= static_cast<double>(L / 10)) {
    c *= 10;
    ++k;
  }
  while (c > static_cast<double>(L)) {
    c /= 10;
    --k;
  }
  std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(c);
  // Scaled back in two steps: 10^k alone overflows for the smallest values.
  const int half = k / 2;
  return s * r / std::pow(10.0, half) / std::pow(10.0, k - half);
}

std::optional<double> parseNumber(std::string_view text, char decimalSeparator) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  std::string plain;
  if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  size_t digits = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') {
    plain += text[i++];
    ++digits;
  }
  if (i < n && text[i] == decimalSeparator) {
    plain += '.';
    ++i;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
      plain += text[i++];
      ++digits;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::string exponent = "e";
    size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    size_t expDigits = 0;
    while (j < n && text[j] >= '0' && text[j] <= '9') {
      exponent += text[j++];
      ++expDigits;
    }
    if (expDigits == 0) return std::nullopt;
    plain += exponent;
    i = j;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(plain.c_str(), &end);
  if (end == plain.c_str() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

namespace {

std::string withSeparator(std::string s, char sep) {
  for (char& ch : s) {
    if (ch == '.') ch = sep;
  }
  return s;
}

// Scientific notation for a value whose integer part has more digits than the
// precision: the mantissa with up to P significant digits, trailing zeros
// dropped, and the exponent with its sign.
std::string scientific(double v, int precision, char sep) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*E", precision > 1 ? precision - 1 : 0, v);
  std::string s(buf);
  const size_t e = s.find('E');
  std::string mantissa = s.substr(0, e);
  std::string exponent = s.substr(e);
  if (mantissa.find('.') != std::string::npos) {
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
  }
  return withSeparator(mantissa, sep) + exponent;
}

}  // namespace

std::string formatFixed(double v, int precision, int decimals, char sep) {
  if (!std::isfinite(v)) return "-";
  if (precision < 1) precision = 1;
  if (precision > 17) precision = 17;
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  char buf[400];
  double rounded = v;
  int keep = decimals;  // decimals that the value keeps after rounding
  if (v != 0) {
    // Round to P significant digits first.
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, v);
    rounded = std::strtod(buf, nullptr);
    // A value near the largest double may round beyond it.
    if (!std::isfinite(rounded)) return scientific(v, precision, sep);
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
    if (exponent + 1 > precision) return scientific(v, precision, sep);
    const int sigDecimals = precision - 1 - exponent;
    if (sigDecimals < decimals) {
      keep = sigDecimals < 0 ? 0 : sigDecimals;
    } else {
      rounded = v;  // D decimals give fewer digits: round to D decimals directly
    }
  }
  std::snprintf(buf, sizeof buf, "%.*f", keep, rounded);
  std::string s(buf);
  if (keep < decimals) {
    if (keep == 0) s += '.';
    s.append(static_cast<size_t>(decimals - keep), '0');
  }
  // No minus sign on a value that rounds to zero.
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return withSeparator(s, sep);
}

std::string formatGeneral(double v, char sep) {
  if (!std::isfinite(v)) return "-";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  return withSeparator(buf, sep);
}

}  // namespace velmar
