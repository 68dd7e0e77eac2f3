#include "base/text.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

std::string ToLowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    c = ToLowerAscii(c);
  return lower;
}

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    c = ToUpperAscii(c);
  return upper;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i]))
      return false;
  }
  return true;
}

static bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool ParseLeadingInt(const char* text, int* value) {
  const char* p = text;
  while (IsSpace(*p))
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  if (*p < '0' || *p > '9')
    return false;
  // Accumulate in a wide type and saturate, so huge numbers cannot overflow.
  long long magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (magnitude <= static_cast<long long>(INT_MAX) + 1)
      magnitude = magnitude * 10 + (*p - '0');
  }
  long long signed_value = negative ? -magnitude : magnitude;
  if (signed_value > INT_MAX)
    signed_value = INT_MAX;
  if (signed_value < INT_MIN)
    signed_value = INT_MIN;
  *value = static_cast<int>(signed_value);
  return true;
}

char DriveLetter(std::string_view path) {
  if (path.size() < 2 || path[1] != ':')
    return 0;
  char letter = ToLowerAscii(path[0]);
  return letter >= 'a' && letter <= 'z' ? letter : 0;
}

bool IsAbsolutePath(std::string_view path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
         HasDriveLetter(path);
}

std::string BackSlashes(std::string_view path) {
  std::string slashed(path);
  for (char& c : slashed) {
    if (c == '/')
      c = '\\';
  }
  return slashed;
}

std::string ForwardSlashes(std::string_view path) {
  std::string slashed(path);
  for (char& c : slashed) {
    if (c == '\\')
      c = '/';
  }
  return slashed;
}

std::string Printable(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      c = '?';
  }
  return shown;
}

size_t EditDistanceNoCase(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      size_t replace =
          diagonal + (ToLowerAscii(a[i - 1]) == ToLowerAscii(b[j - 1]) ? 0 : 1);
      row[j] = std::min({replace, above + 1, row[j - 1] + 1});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string NearestName(std::string_view name,
                        const std::vector<std::string>& candidates) {
  const std::string* best = nullptr;
  size_t best_distance = 0;
  for (const std::string& candidate : candidates) {
    size_t distance = EditDistanceNoCase(name, candidate);
    if (distance * 3 > std::max(name.size(), candidate.size()))
      continue;
    if (!best || distance < best_distance) {
      best = &candidate;
      best_distance = distance;
    }
  }
  return best ? *best : std::string();
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}
