#include "platform/automation/KeyedDictionary.h"

#include <cstdint>
#include <cstring>

namespace vks {
namespace {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Lowers the ASCII capitals of eight bytes that are all below 0x80 at once: adding to each byte
// sets its high bit exactly when it is at least 'A' (resp. greater than 'Z'), and no byte carries
// into the next because none exceeds 0x7F.
uint64_t LowerAsciiWord(uint64_t word) {
  uint64_t at_least_a = word + (0x80 - 'A') * kOnes;
  uint64_t above_z = word + (0x7F - 'Z') * kOnes;
  uint64_t upper = at_least_a & ~above_z & kHighBits;
  return word | (upper >> 2);  // 0x80 >> 2 is the 0x20 between the cases
}

// Folds the two-byte sequence at p[0], p[1] in place. The lead bytes 0xC3 and 0xC5 never continue
// another sequence, so a match is a whole character even inside otherwise invalid text.
void FoldTwoByte(unsigned char* p) {
  if (p[0] == 0xC3) {
    // U+00C0..U+00DE without U+00D7 (the multiplication sign)
    if (p[1] >= 0x80 && p[1] <= 0x9E && p[1] != 0x97) p[1] += 0x20;
  } else if (p[0] == 0xC5) {
    switch (p[1]) {
      case 0x92:  // Œ
      case 0xA0:  // Š
      case 0xBD:  // Ž
        p[1] += 1;
        break;
      case 0xB8:  // Ÿ to ÿ, U+00FF
        p[0] = 0xC3;
        p[1] = 0xBF;
        break;
      default:
        break;
    }
  }
}

// The n < 8 bytes at p as one word, zero above them (zero bytes are no capitals).
uint64_t TailWord(const char* p, size_t n) {
  uint64_t word = 0;
  for (size_t i = 0; i < n; ++i) word |= uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  return word;
}

uint64_t Mix(uint64_t h, uint64_t word) {
  h = (h ^ word) * 0x9E3779B97F4A7C15ull;
  return h ^ (h >> 29);
}

// Hashes eight bytes at a time; `lower` lowers the ASCII capitals on the way, which is only right
// for text without bytes above 0x7F: `high` collects the bytes' high bits to tell.
size_t WordHash(std::string_view text, bool lower, uint64_t& high) {
  uint64_t h = 0x2545F4914F6CDD1Dull ^ text.size();
  high = 0;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    high |= word;
    h = Mix(h, lower ? LowerAsciiWord(word) : word);
  }
  if (i < text.size()) {
    const uint64_t word = TailWord(text.data() + i, text.size() - i);
    high |= word;
    h = Mix(h, lower ? LowerAsciiWord(word) : word);
  }
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  return static_cast<size_t>(h ^ (h >> 32));
}

}  // namespace

size_t FoldedKeyHash::operator()(std::string_view key) const {
  uint64_t high;
  if (mode == CompareMode::Binary) return WordHash(key, false, high);
  const size_t h = WordHash(key, true, high);
  if ((high & kHighBits) == 0) return h;
  // Folded text hashes as itself: its ASCII letters are lower case already.
  return WordHash(FoldCase(key), false, high);
}

bool FoldedKeyEqual::operator()(std::string_view a, std::string_view b) const {
  // Folding never changes the length of a text.
  if (a.size() != b.size()) return false;
  if (mode == CompareMode::Binary) return a == b;
  const size_t n = a.size();
  for (size_t i = 0; i < n; i += 8) {
    uint64_t x, y;
    if (i + 8 <= n) {
      std::memcpy(&x, a.data() + i, 8);
      std::memcpy(&y, b.data() + i, 8);
    } else {
      x = TailWord(a.data() + i, n - i);
      y = TailWord(b.data() + i, n - i);
    }
    if ((x | y) & kHighBits) return FoldCase(a) == FoldCase(b);
    if (LowerAsciiWord(x) != LowerAsciiWord(y)) return false;
  }
  return true;
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  auto* p = reinterpret_cast<unsigned char*>(folded.data());
  const size_t n = folded.size();
  size_t i = 0;
  while (i < n) {
    if (i + 8 <= n) {
      uint64_t word;
      std::memcpy(&word, p + i, 8);
      if ((word & kHighBits) == 0) {
        word = LowerAsciiWord(word);
        std::memcpy(p + i, &word, 8);
        i += 8;
        continue;
      }
    }
    unsigned char c = p[i];
    if (c < 0x80) {
      if (c >= 'A' && c <= 'Z') p[i] = c + 0x20;
      ++i;
    } else if (i + 1 < n) {
      FoldTwoByte(p + i);
      ++i;  // a folded pair's second byte is a continuation byte and is left alone next round
    } else {
      ++i;
    }
  }
  return folded;
}

}  // namespace vks
