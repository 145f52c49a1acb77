// The lines of a text, whatever ends them: CR LF, a lone LF or a lone CR.
// Every reader of an author's lines splits them here.
#pragma once

#include <cstdint>
#include <string_view>

namespace sb {

// Walks a text line by line. A text of n line ends has n + 1 lines: the
// last is empty when the text ends with a line end, and the empty text is
// one empty line.
class righe_testo {
 public:
  explicit righe_testo(std::string_view testo) : testo_(testo) {}

  // The next line, without its line end; false after the last.
  bool prossima(std::string_view& riga);

  // Goes on to the line that holds byte offset pos (a line's end belongs to
  // it), from the line last given or a later one.
  void fino_a(size_t pos);

  // The 1-based number of the line last given; 0 before the first.
  int32_t numero() const { return numero_; }

  // The byte offset at which the line last given begins.
  size_t inizio() const { return inizio_; }

  // Whether the line last given is the last of the text.
  bool ultima() const { return finito_; }

 private:
  std::string_view testo_;
  size_t prossimo_ = 0;  // where the next line begins
  size_t inizio_ = 0;
  int32_t numero_ = 0;
  bool finito_ = false;
};

// Finds lines of one text by their number; asked in ascending order, it
// walks the text once, whatever the number of lines asked for.
class cercatore_righe {
 public:
  explicit cercatore_righe(std::string_view testo) : testo_(testo), righe_(testo) {}

  // Line n (from 1) without its line end; empty beyond the last line and
  // for n below 1.
  std::string_view riga(int32_t n);

 private:
  std::string_view testo_;
  righe_testo righe_;
  std::string_view ultima_;  // the line last given by righe_
};

// Line n (from 1) of a text, without its line end; empty beyond the last
// line and for n below 1.
std::string_view riga_di(std::string_view testo, int32_t n);

}  // namespace sb
