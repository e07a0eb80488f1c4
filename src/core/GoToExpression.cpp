#include "core/GoToExpression.h"

namespace vek {

namespace {

constexpr std::string_view kEndWord = "end";
constexpr int kKilo = 1024;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int DigitValue(char c, int base) {
  const char lower = Lower(c);
  int value = -1;
  if (lower >= '0' && lower <= '9') value = lower - '0';
  if (lower >= 'a' && lower <= 'f') value = lower - 'a' + 10;
  return value < base ? value : -1;
}

// a * b + c within 64-bit offsets, none past them; all three are not negative.
std::optional<Offset> MultiplyAdd(Offset a, Offset b, Offset c) {
  Offset product = 0;
  Offset sum = 0;
  if (__builtin_mul_overflow(a, b, &product) || __builtin_add_overflow(product, c, &sum)) return std::nullopt;
  return sum;
}

// Reads the text from left to right; each step takes what it knows and leaves the rest.
class Reader {
 public:
  explicit Reader(std::string_view text) : m_text(text) {}

  void SkipBlanks() {
    while (!m_text.empty() && (m_text.front() == ' ' || m_text.front() == '\t')) m_text.remove_prefix(1);
  }
  bool AtEnd() const { return m_text.empty(); }
  bool Take(char c) {
    if (m_text.empty() || Lower(m_text.front()) != c) return false;
    m_text.remove_prefix(1);
    return true;
  }
  bool TakeWord(std::string_view word) {
    if (m_text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (Lower(m_text[i]) != word[i]) return false;
    }
    m_text.remove_prefix(word.size());
    return true;
  }

  // Digits in decimal, or in hex after 0x, then an optional K, M or G. False when there are no
  // digits; `overflow` when the number does not fit.
  bool TakeNumber(Offset& value, bool& overflow) {
    int base = 10;
    if (m_text.size() > 2 && m_text[0] == '0' && Lower(m_text[1]) == 'x' && DigitValue(m_text[2], 16) >= 0) {
      base = 16;
      m_text.remove_prefix(2);
    }
    if (m_text.empty() || DigitValue(m_text.front(), base) < 0) return false;
    std::optional<Offset> number = 0;
    while (!m_text.empty() && DigitValue(m_text.front(), base) >= 0) {
      if (number) number = MultiplyAdd(*number, base, DigitValue(m_text.front(), base));
      m_text.remove_prefix(1);
    }
    SkipBlanks();
    int power = 0;
    if (Take('k')) {
      power = 1;
    } else if (Take('m')) {
      power = 2;
    } else if (Take('g')) {
      power = 3;
    }
    // "KB" and "KiB" are read as "K": the same 1024 bytes, as people write them.
    if (power > 0 && !TakeWord("ib")) Take('b');
    for (int i = 0; i < power && number; ++i) number = MultiplyAdd(*number, kKilo, 0);
    if (!number) {
      overflow = true;
      return true;
    }
    value = *number;
    return true;
  }

 private:
  std::string_view m_text;
};

} // namespace

GoToResult EvaluateGoTo(std::string_view text, std::optional<Offset> selected, Offset fileSize) {
  Reader reader(text);
  reader.SkipBlanks();
  if (reader.AtEnd()) return {GoToError::Empty};
  const bool fromEnd = reader.TakeWord(kEndWord);
  reader.SkipBlanks();
  const bool endAlone = fromEnd && reader.AtEnd();
  bool back = false;
  bool counted = false; // +N or -N
  Offset distance = 0;
  bool overflow = false;
  if (!endAlone) {
    back = reader.Take('-');
    counted = back || reader.Take('+');
    if (fromEnd && !counted) return {GoToError::NotANumber};
    reader.SkipBlanks();
    if (!reader.TakeNumber(distance, overflow)) return {GoToError::NotANumber};
    reader.SkipBlanks();
    if (!reader.AtEnd()) return {GoToError::NotANumber};
  }
  if (overflow) return {GoToError::Overflow};
  if (fileSize <= 0) return {GoToError::EmptyFile};
  if (endAlone) return {GoToError::None, fileSize - 1};
  const bool fromSelected = counted && !fromEnd;
  if (fromSelected && !selected) return {GoToError::NoSelection};
  const Offset base = fromEnd ? fileSize : fromSelected ? *selected : 0;
  Offset offset = 0;
  // Both are offsets, not negative: only a sum can leave the range.
  if (back) {
    offset = base - distance;
  } else if (__builtin_add_overflow(base, distance, &offset)) {
    return {GoToError::Overflow};
  }
  if (offset < 0) return {GoToError::BeforeStart, offset};
  if (offset >= fileSize) return {GoToError::PastEnd, offset};
  return {GoToError::None, offset};
}

} // namespace vek
