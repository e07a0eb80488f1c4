#include "core/ByteScan.h"

#include <array>
#include <bit>
#include <cstring>
#include <string_view>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VEK_HAVE_AVX2_PATH 1
#endif

namespace vek {

namespace {

constexpr std::array<std::uint8_t, 256> MakeCommonnessTable() {
  std::array<std::uint8_t, 256> table{};
  for (int v = 0x80; v <= 0xFF; ++v) table[v] = 20; // rare outside binaries and UTF-8 text
  for (int v = 0x80; v <= 0xBF; ++v) table[v] = 30; // UTF-8 continuation bytes
  for (int v = 0x01; v < 0x20; ++v) table[v] = 40; // control characters
  for (int v = 0x21; v < 0x7F; ++v) table[v] = 120; // punctuation
  for (int v = '0'; v <= '9'; ++v) table[v] = 150;
  for (int v = 'A'; v <= 'Z'; ++v) table[v] = 140;
  // Lower-case letters by their frequency in English text, most frequent first.
  constexpr std::string_view kLetters = "etaoinshrdlcumwfgypbvkjxqz";
  for (std::size_t k = 0; k < kLetters.size(); ++k) {
    table[static_cast<std::uint8_t>(kLetters[k])] = static_cast<std::uint8_t>(230 - 2 * k);
  }
  table['\n'] = table['\r'] = table['\t'] = 160;
  table[0x7F] = 40;
  table[0x01] = 90; // small integers in binary data
  table[' '] = 235;
  table[0xFF] = 245; // erased flash, padding, -1
  table[0x00] = 255; // padding, zero fill, high bytes of small integers
  return table;
}

constexpr std::array<std::uint8_t, 256> kCommonness = MakeCommonnessTable();

// How common a pattern byte's matches are. A folded letter matches both cases, and the lower one is
// the more common in text.
int MatchCommonness(std::uint8_t value, CaseFolding folding) {
  return kCommonness[folding == CaseFolding::Ascii ? FoldAscii(value) : value];
}

// The position of the rarest byte, skipping `exclude`; the last one among equally rare bytes, since
// patterns typed by hand tend to share their beginnings with what surrounds them.
std::size_t RarestPosition(std::span<const std::uint8_t> pattern, std::size_t exclude, CaseFolding folding) {
  std::size_t best = pattern.size();
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    if (k == exclude) continue;
    if (best == pattern.size() || MatchCommonness(pattern[k], folding) <= MatchCommonness(pattern[best], folding)) {
      best = k;
    }
  }
  return best;
}

bool MatchesAt(const std::uint8_t* hay, std::size_t i, std::span<const std::uint8_t> pattern) {
  return std::memcmp(hay + i, pattern.data(), pattern.size()) == 0;
}

bool MatchesFoldedAt(const std::uint8_t* hay, std::size_t i, std::span<const std::uint8_t> pattern) {
  const std::uint8_t* const at = hay + i;
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    if (FoldAscii(at[k]) != FoldAscii(pattern[k])) return false;
  }
  return true;
}

// Eight candidates at a time in a 64-bit word: memchr finds one byte value, but a folded letter is
// two, and two memchr calls cost the distance to the farther one, or many short calls in text where
// a letter comes every few bytes. A word compares both filter bytes of eight candidates in a
// constant number of steps, whatever the bytes are.
constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;
constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;

// 0x80 in each byte of `word` that is zero, and 0 in every other byte (no carries between bytes).
constexpr std::uint64_t ZeroBytes(std::uint64_t word) {
  return ~(((word & kLowBits) + kLowBits) | word | kLowBits);
}

std::uint64_t LoadWord(const std::uint8_t* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// One filter byte in every byte of a word: its folded value, and the case bit to set in the loaded
// bytes first when it is a letter.
struct WordFilter {
  std::uint64_t want;
  std::uint64_t caseBits;
};

WordFilter MakeWordFilter(std::uint8_t value) {
  const bool letter = IsAsciiLetter(value);
  return {FoldAscii(value) * kEveryByte, letter ? kAsciiCaseBit * kEveryByte : 0};
}

std::uint64_t WordHits(const std::uint8_t* at, const WordFilter& filter) {
  return ZeroBytes((LoadWord(at) | filter.caseBits) ^ filter.want);
}

// Which candidate of the word a hit bit stands for: its byte in memory order.
unsigned HitIndex(std::uint64_t hits) {
  if constexpr (std::endian::native == std::endian::little) return static_cast<unsigned>(std::countr_zero(hits)) / 8;
  return static_cast<unsigned>(std::countl_zero(hits)) / 8;
}

std::uint64_t WithoutHit(std::uint64_t hits, unsigned index) {
  if constexpr (std::endian::native == std::endian::little) return hits & ~(std::uint64_t{0x80} << (8 * index));
  return hits & ~(std::uint64_t{0x80} << (8 * (7 - index)));
}

// The portable scan with case folding: both filter bytes of eight candidates at a time, then the
// whole pattern compared folded where both agree.
std::ptrdiff_t FindFoldedPortable(const std::uint8_t* hay, std::size_t candidates,
                                  std::span<const std::uint8_t> pattern, const ScanPlan& plan) {
  const WordFilter filter1 = MakeWordFilter(pattern[plan.first]);
  const WordFilter filter2 = MakeWordFilter(pattern[plan.second]);
  std::size_t i = 0;
  for (; i + sizeof(std::uint64_t) <= candidates; i += sizeof(std::uint64_t)) {
    std::uint64_t hits = WordHits(hay + plan.first + i, filter1) & WordHits(hay + plan.second + i, filter2);
    while (hits != 0) {
      const unsigned index = HitIndex(hits);
      if (MatchesFoldedAt(hay, i + index, pattern)) return static_cast<std::ptrdiff_t>(i + index);
      hits = WithoutHit(hits, index);
    }
  }
  for (; i < candidates; ++i) {
    if (MatchesFoldedAt(hay, i, pattern)) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

#ifdef VEK_HAVE_AVX2_PATH

// One filter byte for 32 candidates at once: where the loaded bytes equal `want`, after setting
// `caseBit` in each when case folds ((x | 0x20) == 'a' holds for 'a' and 'A' alone). Vectors go by
// value: held in a struct, the compiler kept them on the stack and reloaded them every round.
template <bool Fold>
__attribute__((target("avx2"), always_inline)) inline __m256i FilterHits(const std::uint8_t* at, __m256i want,
                                                                         __m256i caseBit) {
  __m256i loaded = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
  if constexpr (Fold) loaded = _mm256_or_si256(loaded, caseBit);
  return _mm256_cmpeq_epi8(loaded, want);
}

// Where both filter bytes agree, as a vector of 0xFF bytes, for the 32 candidates from `at1`/`at2`.
template <bool Fold>
__attribute__((target("avx2"), always_inline)) inline __m256i PairHits(const std::uint8_t* at1,
                                                                       const std::uint8_t* at2, __m256i want1,
                                                                       __m256i want2, __m256i case1, __m256i case2) {
  return _mm256_and_si256(FilterHits<Fold>(at1, want1, case1), FilterHits<Fold>(at2, want2, case2));
}

// The byte a filter compares with, and the case bit it sets first (none unless a folded letter).
template <bool Fold> __attribute__((target("avx2"), always_inline)) inline __m256i FilterWant(std::uint8_t value) {
  return _mm256_set1_epi8(static_cast<char>(Fold ? FoldAscii(value) : value));
}
template <bool Fold> __attribute__((target("avx2"), always_inline)) inline __m256i FilterCaseBit(std::uint8_t value) {
  return _mm256_set1_epi8(static_cast<char>(Fold && IsAsciiLetter(value) ? kAsciiCaseBit : 0));
}

__attribute__((target("avx2"), always_inline)) inline std::uint64_t HitMask(__m256i low, __m256i high) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
         std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(high))} << 32;
}

// 128 candidates per round: the two filter bytes are compared for all of them at once and the full
// comparison runs only where both agree (about once in 64 KiB of random data).
// The first candidate from `base` on whose bit is set in `mask` and that matches in full, or -1.
// Out of line: the scan's loop then keeps its vectors in registers (inlined, it ran 15 % slower).
template <bool Fold>
__attribute__((noinline)) std::ptrdiff_t VerifyHits(const std::uint8_t* hay, std::size_t base, std::uint64_t mask,
                                                    std::span<const std::uint8_t> pattern) {
  for (; mask != 0; mask &= mask - 1) {
    const std::size_t candidate = base + static_cast<std::size_t>(__builtin_ctzll(mask));
    const bool matches = Fold ? MatchesFoldedAt(hay, candidate, pattern) : MatchesAt(hay, candidate, pattern);
    if (matches) return static_cast<std::ptrdiff_t>(candidate);
  }
  return -1;
}

// Instantiated twice, so that the search without case folding runs the very loop it ran before.
template <bool Fold>
__attribute__((target("avx2"))) std::ptrdiff_t FindAvx2(const std::uint8_t* hay, std::size_t candidates,
                                                         std::span<const std::uint8_t> pattern,
                                                         const ScanPlan& plan) {
  const __m256i want1 = FilterWant<Fold>(pattern[plan.first]);
  const __m256i want2 = FilterWant<Fold>(pattern[plan.second]);
  const __m256i case1 = FilterCaseBit<Fold>(pattern[plan.first]);
  const __m256i case2 = FilterCaseBit<Fold>(pattern[plan.second]);
  const std::uint8_t* const at1 = hay + plan.first;
  const std::uint8_t* const at2 = hay + plan.second;
  const auto verify = [&](std::size_t base, std::uint64_t mask) { return VerifyHits<Fold>(hay, base, mask, pattern); };
  std::size_t i = 0;
  for (; i + 128 <= candidates; i += 128) {
    const __m256i h0 = PairHits<Fold>(at1 + i, at2 + i, want1, want2, case1, case2);
    const __m256i h1 = PairHits<Fold>(at1 + i + 32, at2 + i + 32, want1, want2, case1, case2);
    const __m256i h2 = PairHits<Fold>(at1 + i + 64, at2 + i + 64, want1, want2, case1, case2);
    const __m256i h3 = PairHits<Fold>(at1 + i + 96, at2 + i + 96, want1, want2, case1, case2);
    const __m256i any = _mm256_or_si256(_mm256_or_si256(h0, h1), _mm256_or_si256(h2, h3));
    if (_mm256_testz_si256(any, any)) continue;
    // Both masks before any comparison: no vector has to outlive the call.
    const std::uint64_t low = HitMask(h0, h1);
    const std::uint64_t high = HitMask(h2, h3);
    if (const std::ptrdiff_t found = verify(i, low); found >= 0) return found;
    if (const std::ptrdiff_t found = verify(i + 64, high); found >= 0) return found;
  }
  for (; i + 32 <= candidates; i += 32) {
    const auto mask = static_cast<std::uint32_t>(_mm256_movemask_epi8(PairHits<Fold>(at1 + i, at2 + i, want1, want2, case1, case2)));
    if (const std::ptrdiff_t found = verify(i, mask); found >= 0) return found;
  }
  if (i == candidates) return -1;
  const std::ptrdiff_t rest = FindInBufferPortable(hay + i, candidates - i, pattern, plan);
  return rest < 0 ? -1 : static_cast<std::ptrdiff_t>(i) + rest;
}

bool CpuHasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

#endif

} // namespace

int ByteCommonness(std::uint8_t value) { return kCommonness[value]; }

ScanPlan PlanScan(std::span<const std::uint8_t> pattern, CaseFolding folding) {
  ScanPlan plan;
  plan.folding = folding;
  if (pattern.size() < 2) return plan;
  plan.first = RarestPosition(pattern, pattern.size(), folding);
  plan.second = RarestPosition(pattern, plan.first, folding);
  return plan;
}

std::ptrdiff_t FindInBufferPortable(const std::uint8_t* hay, std::size_t candidates,
                                    std::span<const std::uint8_t> pattern, const ScanPlan& plan) {
  if (plan.folding == CaseFolding::Ascii) return FindFoldedPortable(hay, candidates, pattern, plan);
  const std::uint8_t want1 = pattern[plan.first];
  const std::uint8_t want2 = pattern[plan.second];
  const std::uint8_t* const base = hay + plan.first; // candidate i has its rarest byte at base[i]
  std::size_t i = 0;
  while (i < candidates) {
    const void* hit = std::memchr(base + i, want1, candidates - i);
    if (hit == nullptr) return -1;
    i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - base);
    if (hay[i + plan.second] == want2 && MatchesAt(hay, i, pattern)) {
      return static_cast<std::ptrdiff_t>(i);
    }
    ++i;
  }
  return -1;
}

std::ptrdiff_t FindInBuffer(const std::uint8_t* hay, std::size_t candidates,
                            std::span<const std::uint8_t> pattern, const ScanPlan& plan) {
#ifdef VEK_HAVE_AVX2_PATH
  if (CpuHasAvx2()) {
    return plan.folding == CaseFolding::Ascii ? FindAvx2<true>(hay, candidates, pattern, plan)
                                              : FindAvx2<false>(hay, candidates, pattern, plan);
  }
#endif
  return FindInBufferPortable(hay, candidates, pattern, plan);
}

} // namespace vek
