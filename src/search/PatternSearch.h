#pragma once
// Find and Next of one view: the pattern the view keeps, the Find dialog that replaces it, and the
// search through the file, with a progress dialog once a search takes long. The view calls it and
// turns its outcome into the page it shows.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/PageGeometry.h"
#include "core/Pattern.h"

class QWidget;

namespace vek {

class FileSystem;
class UiServices;

class PatternSearch {
 public:
  PatternSearch(UiServices& ui, FileSystem& files);

  struct Outcome {
    enum class Show {
      Match,     // make `match` the page start and read it
      PageAgain, // nothing found: the page as before, read again from the file
      Nothing,   // the search stopped (its message is shown) or never ran
    };
    Show show = Show::Nothing;
    Offset match = -1;
    std::optional<Offset> fileSize; // the length the search measured, when it opened the file
  };

  // Asks for a new pattern, which stays for Next whatever the search gives, and searches the file
  // `path` from its start. `owner` is the view: it is disabled while a long search runs.
  Outcome Find(QWidget* owner, const std::string& path);
  // The same pattern again, from one byte past `pageStart`; nothing without a pattern.
  Outcome Next(QWidget* owner, const std::string& path, Offset pageStart);

  int PatternLength() const { return m_searchPattern.Length(); }

 private:
  Outcome SearchFrom(QWidget* owner, const std::string& path, Offset from, const char* notFoundText);

  UiServices& m_ui;
  FileSystem& m_files;
  Pattern m_searchPattern;
};

} // namespace vek
