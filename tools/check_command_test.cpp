// scenario_tool check: every mistake of an author told at its own line and
// column, by its exact text; the built-in scenario checks clean; nothing is
// written; the exit statuses of check and compile --werror.
#include "tools/check_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/exit_status.h"
#include "documents/line_list.h"
#include "test_support/tool_runs.h"
#include "tools/command_table.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::leggi;
using prova::righe_crlf;
using prova::scrivi;

// One run of the tool in this process.
struct esito_strumento {
  int stato = -1;
  std::string out;
  std::string err;
};

// A scratch folder with the author's two texts, l.txt and s.txt.
class Check : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.ok()); }

  void scrivi_testi(const std::string& linea, const std::string& servizio) {
    scrivi(linea_, linea);
    scrivi(servizio_, servizio);
  }

  // Runs the tool; the folder's path is taken out of what it says, so that
  // the texts are named l.txt and s.txt as an author in that folder sees them.
  esito_strumento esegui(std::vector<std::string> argomenti) {
    std::ostringstream out, err;
    esito_strumento e;
    e.stato = esegui_strumento(argomenti, out, err);
    e.out = out.str();
    e.err = err.str();
    for (size_t i = e.err.find(dir_.cartella() + "/"); i != std::string::npos; i = e.err.find(dir_.cartella() + "/")) {
      e.err.erase(i, dir_.cartella().size() + 1);
    }
    return e;
  }

  esito_strumento check(std::vector<std::string> extra = {}) {
    std::vector<std::string> a = {"check", "--line", linea_, "--service", servizio_};
    a.insert(a.end(), extra.begin(), extra.end());
    return esegui(a);
  }

  cartella_prova dir_;
  std::string linea_ = dir_ / "l.txt";
  std::string servizio_ = dir_ / "s.txt";
};

// The last line of standard output.
std::string ultima_riga(const std::string& out) {
  std::string s = out;
  while (!s.empty() && s.back() == '\n') s.pop_back();
  return s.substr(s.rfind('\n') == std::string::npos ? 0 : s.rfind('\n') + 1);
}

// An author's mistake: one line of the sample line ('L') or service ('S')
// text replaced, and what check tells about it, verbatim.
struct errore_autore {
  const char* nome;
  char testo;
  int riga;
  const char* scritto;
  const char* ultima;
  const char* diagnostiche;
};

// clang-format off
const errore_autore kErrori[] = {
    {"a misspelled speed keyword", 'S', 12, "velcita,  9000,  120", "codice_errore=0 posizione_errore=0",
     R"(s.txt:12:1: warning: unknown keyword 'velcita'; did you mean 'velocita'? the row is skipped
velcita,  9000,  120
^~~~~~~
)"},
    {"a misspelled station keyword", 'S', 15, "stazone, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino", "codice_errore=0 posizione_errore=0",
     R"(s.txt:15:1: warning: unknown keyword 'stazone'; did you mean 'stazione'? the row is skipped
stazone, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
^~~~~~~
)"},
    {"a misspelled signal keyword", 'S', 21, "segnal, 4600, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0", "codice_errore=0 posizione_errore=0",
     R"(s.txt:21:1: warning: unknown keyword 'segnal'; did you mean 'segnale'? the row is skipped
segnal, 4600, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0
^~~~~~
)"},
    {"a misspelled gradient keyword", 'L', 18, "pendnza,  4000,  -5", "codice_errore=0 posizione_errore=0",
     R"(l.txt:18:1: warning: unknown keyword 'pendnza'; did you mean 'pendenza'? the row is skipped
pendnza,  4000,  -5
^~~~~~~
)"},
    {"two letters of a curve keyword swapped", 'L', 13, "cruvad3,  5000,  900", "codice_errore=0 posizione_errore=0",
     R"(l.txt:13:1: warning: unknown keyword 'cruvad3'; did you mean 'curvad3'? the row is skipped
cruvad3,  5000,  900
^~~~~~~
)"},
    {"a misspelled route length keyword, then the route rows", 'L', 3, "lunghezza percoso,  12000", "codice_errore=25 posizione_errore=0",
     R"(l.txt:3:1: warning: unknown keyword 'lunghezza percoso'; did you mean 'lunghezza percorso'? the row is skipped
lunghezza percoso,  12000
^~~~~~~~~~~~~~~~~
l.txt:12:1: error: error 25: no route length yet: 'lunghezza percorso' goes in [generale], before the route rows
curvad4,  2000,  600
^~~~~~~
)"},
    {"a misspelled [generale] in the service", 'S', 2, "[generle]", "codice_errore=0 posizione_errore=0",
     R"(s.txt:2:1: warning: expected [generale], found '[generle]': no row of the service description is read
[generle]
^~~~~~~~~
s.txt: note: the service has no 'stazione' row
s.txt: warning: the service has no station: the train sheet lists no route
)"},
    {"a misspelled section header", 'S', 13, "[stazoni]", "codice_errore=0 posizione_errore=0",
     R"(s.txt:13:1: warning: unknown section header '[stazoni]'; did you mean '[stazioni]'?
[stazoni]
^~~~~~~~~
)"},
    {"a capital letter where the keyword is matched letter for letter", 'L', 4, "Progressiva chilometrica uno,   0,  0,  0", "codice_errore=0 posizione_errore=0",
     R"(l.txt:4:1: warning: 'Progressiva chilometrica uno' is skipped: this keyword is matched letter for letter; write it in lower case, 'progressiva chilometrica uno'
Progressiva chilometrica uno,   0,  0,  0
^~~~~~~~~~~~~~~~~~~~~~~~~~~~
)"},
    {"a capital letter where case does not matter", 'S', 3, "Numero vetture, 6", "codice_errore=0 posizione_errore=0",
     R"()"},
    {"a note without a hyphen in the body", 'S', 14, "Pratofondo e dintorni", "codice_errore=0 posizione_errore=0",
     R"(s.txt:14:1: warning: 'Pratofondo e dintorni' matches no keyword and is skipped; begin a remark with '-'
Pratofondo e dintorni
^~~~~~~~~~~~~~~~~~~~~
)"},
    {"a gradient stored in 8 bits", 'L', 19, "pendenza,  7000,  200", "codice_errore=0 posizione_errore=0",
     R"(l.txt:19:19: warning: gradient 200 does not fit -100..155 per mille: it is stored as -56
pendenza,  7000,  200
                  ^~~
)"},
    {"an adhesion stored in 8 bits", 'S', 8, "aderenza,  0,  300", "codice_errore=0 posizione_errore=0",
     R"(s.txt:8:16: warning: adhesion 300 does not fit 0..255: it is stored as 44
aderenza,  0,  300
               ^~~
)"},
    {"a speed that is not a multiple of 5", 'S', 11, "velocita,  4000,  107", "codice_errore=0 posizione_errore=0",
     R"(s.txt:11:19: warning: speed 107 km/h is not a multiple of 5: it is stored as 105
velocita,  4000,  107
                  ^~~
)"},
    {"a clock that is not a time of day", 'S', 6, "orologio,  25 75 90", "codice_errore=0 posizione_errore=0",
     R"(s.txt:6:12: warning: the clock 25 75 90 is not a time of day (hours 0..23, minutes and seconds 0..59): it is read as 26:16:30
orologio,  25 75 90
           ^~~~~~~~
)"},
    {"minutes that roll into the next hour: told once, not again as times going backwards", 'S', 15, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 73, 30, Lago Serino", "codice_errore=0 posizione_errore=0",
     R"(s.txt:15:55: warning: the time 7 73 30 is not a time of day (hours 0..23, minutes and seconds 0..59): it is read as 08:13:30
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 73, 30, Lago Serino
                                                      ^~
)"},
    {"a decimal comma", 'L', 19, "pendenza,  7000,  12,5", "codice_errore=0 posizione_errore=0",
     R"(l.txt:19:19: warning: decimal comma: '12,5' is read as 12 and '5' is skipped; values are whole numbers
pendenza,  7000,  12,5
                  ^~
)"},
    {"two numbers apart by a blank are no decimal comma", 'L', 19, "pendenza,  7000,  9 3000", "codice_errore=0 posizione_errore=0",
     R"(l.txt:19:21: warning: the 'pendenza' row takes 2 values; '3000' beyond them is skipped
pendenza,  7000,  9 3000
                    ^~~~
)"},
    {"a curve of no length", 'L', 13, "curvas3,  5000,  -900", "codice_errore=0 posizione_errore=0",
     R"(l.txt:13:18: warning: curve length -900 m bends nothing: the plan runs straight there
curvas3,  5000,  -900
                 ^~~~
)"},
    {"a row with more values than it takes", 'L', 18, "pendenza,  4000,  -5, 3", "codice_errore=0 posizione_errore=0",
     R"(l.txt:18:23: warning: the 'pendenza' row takes 2 values; '3' beyond them is skipped
pendenza,  4000,  -5, 3
                      ^
)"},
    {"a station row with 18 values", 'S', 15, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, 5, Lago Serino", "codice_errore=0 posizione_errore=0",
     R"(s.txt:15:63: warning: the 'stazione' row has more than its 17 values: '5' is taken as its name and 'Lago Serino' is skipped
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, 5, Lago Serino
                                                              ^
)"},
    {"a name cut by a comma", 'S', 16, "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Corte, Mara", "codice_errore=0 posizione_errore=0",
     R"(s.txt:16:69: warning: a comma cuts the name short: it is read as 'Corte' and 'Mara' is skipped; put the name in double quotes to keep its comma
stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Corte, Mara
                                                                    ^~~~
)"},
    {"a quote never closed: told once, not again as names too wide for the train sheet", 'S', 15, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, \"Lago Serino", "codice_errore=0 posizione_errore=0",
     R"(s.txt:15:63: warning: this double quote is never closed: the name takes in lines 16 to 23 (8 lines), the rest of the text, and no row there is read; close the quote on its line
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, "Lago Serino
                                                              ^
)"},
    {"a station row cut short before the next row", 'S', 15, "stazione, 5000, 22", "codice_errore=25 posizione_errore=0",
     R"(s.txt:15:19: error: error 25: the 'stazione' row ends after 2 of its 17 values
stazione, 5000, 22
                  ^
)"},
    {"a station row without its name before the next row", 'S', 15, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30", "codice_errore=0 posizione_errore=0",
     R"(s.txt:15:61: warning: the 'stazione' row ends after 16 of its 17 values: 'stazione', on the next line, is taken as its name
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30
                                                            ^
)"},
    {"a row cut short by the end of the text", 'S', 23, "stazione, 12000", "codice_errore=25 posizione_errore=0",
     R"(s.txt:23:16: error: error 25: the text ends inside the 'stazione' row, after 1 of its 17 values
stazione, 12000
               ^
)"},
    {"a value that is not a number", 'S', 12, "velocita,  9000,  22O00", "codice_errore=25 posizione_errore=0",
     R"(s.txt:12:19: error: error 25: expected a whole number, found '22O00'
velocita,  9000,  22O00
                  ^~~~~
)"},
    {"a value with decimals", 'S', 12, "velocita,  9000,  105.5", "codice_errore=25 posizione_errore=0",
     R"(s.txt:12:19: error: error 25: 105.5: decimals are not allowed
velocita,  9000,  105.5
                  ^~~~~
)"},
    {"a speed beyond the cells' 8 bits", 'S', 12, "velocita,  9000,  2000", "codice_errore=25 posizione_errore=0",
     R"(s.txt:12:19: error: error 25: speed 2000 does not fit 0..1275 km/h
velocita,  9000,  2000
                  ^~~~
)"},
    {"a station type beyond 8 bits", 'S', 15, "stazione, 5000, 300, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino", "codice_errore=25 posizione_errore=0",
     R"(s.txt:15:17: error: error 25: station type 300 does not fit 0..255
stazione, 5000, 300, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
                ^~~
)"},
    {"a gradient row beyond the route: where it stops the service is a note on it", 'L', 20, "pendenza,  20000,  0", "codice_errore=15 posizione_errore=7000",
     R"(l.txt:20:12: error: error 15: position 20000 m is beyond the route's cells: the route ends at 12000 m, its cells run on to 19000 m, and a row needs 100 m of them past its position, so it may stand up to 18900 m
pendenza,  20000,  0
           ^~~~~
s.txt:18:1: note: this code stops the read of the service at this row, its first signal or slowdown; the rows after it are not read
rallentamento, 7000, 60, 300, 0, 1, 0
^~~~~~~~~~~~~
)"},
    {"a route length that is not a number: the route rows that need it are not told again", 'L', 3, "lunghezza percorso,  12O00", "codice_errore=25 posizione_errore=0",
     R"(l.txt:3:22: error: error 25: expected a whole number, found '12O00'
lunghezza percorso,  12O00
                     ^~~~~
)"},
    {"a signal past the route's end", 'S', 21, "segnale, 15000, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0", "codice_errore=0 posizione_errore=0",
     R"(s.txt:21:10: warning: signal at 15000 m lies past the route's end at 12000 m ('lunghezza percorso'): the run ends before the train reaches it
segnale, 15000, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0
         ^~~~~
)"},
    {"a station past the route's end", 'S', 16, "stazione, 12500, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara", "codice_errore=0 posizione_errore=0",
     R"(s.txt:16:11: warning: station 'Cortemara' at 12500 m lies past the route's end at 12000 m ('lunghezza percorso'): the run ends before the train reaches it
stazione, 12500, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara
          ^~~~~
)"},
    {"a sign board past the route's end", 'L', 24, "cartello_indicatore,  13000,  (Cippo Km.)( 13+000 )", "codice_errore=0 posizione_errore=0",
     R"(l.txt:24:23: warning: sign board '(Cippo Km.)( 13+000 )' at 13000 m lies past the route's end at 12000 m ('lunghezza percorso'): the run ends before the train reaches it
cartello_indicatore,  13000,  (Cippo Km.)( 13+000 )
                      ^~~~~
)"},
    {"curve rows without their [curve] header", 'L', 11, "- no header here", "codice_errore=0 posizione_errore=0",
     R"(l.txt:12:1: warning: 'curvad4' is a route row, but no section header has ended [generale]: the row is skipped; write '[curve]' above it
curvad4,  2000,  600
^~~~~~~
l.txt:14:1: note: 2 more route rows stand in [generale], up to this one, and are skipped too
curvad2,  8000,  1200
^~~~~~~
)"},
    {"a general row after [generale] ended", 'L', 22, "sfondo tre,  3", "codice_errore=0 posizione_errore=0",
     R"(l.txt:22:1: warning: 'sfondo tre' belongs in [generale], which the header at line 11 ended: the row is skipped; move it above that header
sfondo tre,  3
^~~~~~~~~~
)"},
    {"a row split by tabs", 'L', 17, "pendenza\t1500\t8", "codice_errore=25 posizione_errore=0",
     "l.txt:17:16: error: error 25: the 'pendenza' row ends after 0 of its 2 values: tabs split its line, and a tab is a blank inside a field, not a separator; separate the values with commas\n"
     "pendenza\t1500\t8\n"
     "        \t    \t ^\n"},
    {"a signal on an indicator's cell", 'S', 21, "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0", "codice_errore=16 posizione_errore=500",
     R"(s.txt:21:10: error: error 16: signal at 500 m: cell 11 (500 m) already holds a maximum-speed indicator
segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0
         ^~~
l.txt:26:1: note: a maximum-speed indicator in cell 11 (500 m) comes from this row
indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0
^~~~~~~~~~~~~~~
)"},
    {"an indicator on a sign's cell", 'L', 24, "cartello_indicatore,  500,  (Km 0+500)", "codice_errore=21 posizione_errore=500",
     R"(l.txt:26:19: error: error 21: maximum-speed indicator at 500 m: cell 11 (500 m) already holds the sign board '(Km 0+500)'
indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0
                  ^~~
l.txt:24:1: note: the sign board '(Km 0+500)' in cell 11 (500 m) comes from this row
cartello_indicatore,  500,  (Km 0+500)
^~~~~~~~~~~~~~~~~~~
)"},
    {"a stop point over a signal placed before it", 'S', 13, "segnale, 5100, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0", "codice_errore=0 posizione_errore=0",
     R"(s.txt:15:11: warning: the stop point of station 'Lago Serino' overwrites a signal in cell 103 (5100 m)
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
          ^~~~
s.txt:13:1: note: the overwritten item comes from this row
segnale, 5100, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0
^~~~~~~
s.txt:15:11: warning: the approach marks of station 'Lago Serino' overwrite an approach mark in cell 101 (5000 m)
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
          ^~~~
s.txt:13:1: note: the overwritten approach mark comes from this row
segnale, 5100, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0
^~~~~~~
s.txt:13:10: warning: signal at 5100 m stands inside station 'Lago Serino' (4800 m to 5200 m): move it at least 100 m on, or 300 m back, out of the station
segnale, 5100, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0
         ^~~~
s.txt:15:63: note: the station comes from this row
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
                                                              ^~~~~~~~~~~
)"},
    {"stations out of route order", 'S', 16, "stazione, 3000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara", "codice_errore=22 posizione_errore=3000",
     R"(s.txt:16:11: error: error 22: station at 3000 m comes after station 'Lago Serino' at 5000 m: stations go in route order
stazione, 3000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara
          ^~~~
)"},
    {"a station out of route order: told once, not again by the marks it left", 'S', 16, "stazione, 4500, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara", "codice_errore=22 posizione_errore=4500",
     R"(s.txt:16:11: error: error 22: station at 4500 m comes after station 'Lago Serino' at 5000 m: stations go in route order
stazione, 4500, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara
          ^~~~
)"},
    {"station times going backwards", 'S', 16, "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 20, 0, Cortemara", "codice_errore=0 posizione_errore=0",
     R"(s.txt:16:52: warning: the time 07:20:00 of station 'Cortemara' is earlier than 07:22:30 at the station before
stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 20, 0, Cortemara
                                                   ^
s.txt:15:52: note: the time before
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
                                                   ^
)"},
    {"a clock that starts after the first departure", 'S', 6, "orologio,  7  20  0", "codice_errore=0 posizione_errore=0",
     R"(s.txt:6:12: warning: the clock starts at 07:20:00, after the first station's time 07:15:00: the train departs before the run begins
orologio,  7  20  0
           ^~~~~~~~
s.txt:14:48: note: the first station's time
stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, Pratofondo
                                               ^
)"},
    {"a clock before midnight for a run after it", 'S', 6, "orologio,  23  50  0", "codice_errore=0 posizione_errore=0",
     R"()"},
    {"speed rows out of order", 'S', 12, "velocita,  3000,  120", "codice_errore=0 posizione_errore=0",
     R"(s.txt:12:12: warning: speed row at 3000 m does not come after the one at 4000 m: rows out of order, or two in one 50 m cell, garble the profile
velocita,  3000,  120
           ^~~~
)"},
    {"a signal code outside its range", 'S', 20, "segnale, 1300, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0", "codice_errore=0 posizione_errore=0",
     R"(s.txt:20:16: warning: sx 3 is outside 0..2
segnale, 1300, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0
               ^
)"},
    {"a signal time stored in 8 bits", 'S', 20, "segnale, 1300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 300", "codice_errore=0 posizione_errore=0",
     R"(s.txt:20:43: warning: tempo 300 does not fit 0..255: it is stored as 44
segnale, 1300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 300
                                          ^~~
)"},
    {"the signal pass finds no room before a slowdown", 'S', 22, "abbattimento, 6700, 0, abbattimento, 6750, 0, abbattimento, 6800, 0", "codice_errore=12 posizione_errore=7050",
     R"(scenario_tool: error: error 12: no free cell for a code-reduction point before the start of a slowdown in cell 141 (7000 m): cells 134 to 136 are taken
s.txt:18:1: note: the start of a slowdown in cell 141 (7000 m) comes from this row
rallentamento, 7000, 60, 300, 0, 1, 0
^~~~~~~~~~~~~
)"},
    {"a leg shorter than the train's fastest run", 'S', 16, "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 24, 0, Cortemara", "codice_errore=0 posizione_errore=0",
     R"(s.txt:16:62: error: from Lago Serino to Cortemara (6.0 km between the stations' positions) the timetable gives 1 min 30 s; the train needs at least 5 min 13 s
stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 24, 0, Cortemara
                                                             ^~~~~~~~~
s.txt:15:63: note: the earlier station
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
                                                              ^~~~~~~~~~~
)"},
    {"a leg with less than the recovery margin", 'S', 16, "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 27, 45, Cortemara", "codice_errore=0 posizione_errore=0",
     R"(s.txt:16:63: warning: from Lago Serino to Cortemara (6.0 km between the stations' positions) the timetable gives 5 min 15 s and the fastest run takes 5 min 13 s: a margin of 0.9 %, below the recovery margin of 3 %
stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 27, 45, Cortemara
                                                              ^~~~~~~~~
s.txt:15:63: note: the earlier station
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
                                                              ^~~~~~~~~~~
)"},
    {"a name with accents quoted in a message, read as UTF-8", 'S', 16, "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 20, 0, Cortemàra Sùpera", "codice_errore=0 posizione_errore=0",
     R"(s.txt:16:52: warning: the time 07:20:00 of station 'Cortemàra Sùpera' is earlier than 07:22:30 at the station before
stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 20, 0, Cortemàra Sùpera
                                                   ^
s.txt:15:52: note: the time before
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
                                                   ^
)"},
    {"a sign caption longer than the train sheet's column", 'L', 24, "cartello_indicatore,  2950,  (Galleria Ségola Vecchia)(di Sopra al Colle)", "codice_errore=0 posizione_errore=0",
     R"(l.txt:24:30: warning: the sign caption, worded "Galleria Ségola Vecchia di Sopra al Colle", is longer than the 28 characters of the train sheet's Localita' column: cut to "Galleria Ségola Vecchia di S"
cartello_indicatore,  2950,  (Galleria Ségola Vecchia)(di Sopra al Colle)
                             ^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
)"},
    {"a station name longer than the train sheet's column", 'S', 15, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Villa Ségola di Sopra al Colle Alto", "codice_errore=0 posizione_errore=0",
     R"(s.txt:15:63: warning: the station name is longer than the 28 characters of the train sheet's Localita' column: cut to "Villa Ségola di Sopra al Col"
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Villa Ségola di Sopra al Colle Alto
                                                              ^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
)"},
    {"an origin's name that fits the column but not the sheet's header", 'S', 14, "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, Pratofondo di Sotto al Colle", "codice_errore=0 posizione_errore=0",
     R"(s.txt:14:58: warning: the station name is longer than the 22 characters of the train sheet's header: cut to "Pratofondo di Sotto al"
stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, Pratofondo di Sotto al Colle
                                                         ^~~~~~~~~~~~~~~~~~~~~~~~~~~~
)"},
    {"a speed limit of 0 the train cannot pass", 'S', 12, "velocita,  9000,  0", "codice_errore=0 posizione_errore=0",
     R"(s.txt:16:62: error: between Lago Serino and Cortemara the train comes to a stand at 9.000 km and cannot go on: a speed limit of 0 km/h
stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara
                                                             ^~~~~~~~~
s.txt:15:63: note: the earlier station
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
                                                              ^~~~~~~~~~~
)"},
    {"a signal inside a station's extent", 'S', 21, "segnale, 4900, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0", "codice_errore=0 posizione_errore=0",
     R"(s.txt:21:10: warning: signal at 4900 m stands inside station 'Lago Serino' (4800 m to 5200 m): move it at least 300 m on, or 100 m back, out of the station
segnale, 4900, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0
         ^~~~
s.txt:15:63: note: the station comes from this row
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
                                                              ^~~~~~~~~~~
)"},
    {"a signal at the start of a station's extent", 'S', 21, "segnale, 4800, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0", "codice_errore=0 posizione_errore=0",
     R"()"},
    {"an indicator above the run's limit", 'L', 26, "indicatori_vmax,  500,  60,  70,  120,  0,  60,  70,  75,  0", "codice_errore=0 posizione_errore=0",
     R"(l.txt:26:35: warning: maximum-speed indicator at 500 m shows 120 km/h, but the service's speed limit there (up to 200 m past it) is 100 km/h: the driver is told a speed the run does not allow
indicatori_vmax,  500,  60,  70,  120,  0,  60,  70,  75,  0
                                  ^~~
s.txt:10:16: note: the limit comes from this row
velocita,  0,  100
               ^~~
)"},
    {"an indicator's second face above the limit that begins 250 m on", 'L', 26, "indicatori_vmax,  8750,  60,  70,  80,  0,  60,  70,  120,  0", "codice_errore=0 posizione_errore=0",
     R"(l.txt:26:55: warning: maximum-speed indicator at 8750 m shows 120 km/h, but the service's speed limit there (up to 200 m past it) is 80 km/h: the driver is told a speed the run does not allow
indicatori_vmax,  8750,  60,  70,  80,  0,  60,  70,  120,  0
                                                      ^~~
s.txt:11:19: note: the limit comes from this row
velocita,  4000,  80
                  ^~
)"},
    {"an indicator 100 m before the limit it announces", 'L', 26, "indicatori_vmax,  8900,  60,  70,  120,  0,  60,  70,  120,  0", "codice_errore=0 posizione_errore=0",
     R"()"},
    {"a slowdown too slow for its warning point", 'S', 18, "rallentamento, 11500, 10, 300, 0, 1, 0", "codice_errore=0 posizione_errore=0",
     R"(s.txt:18:16: warning: slowdown at 11500 m to 10 km/h: its warning point stands 1200 m before it, but braking from the limit of 120 km/h takes 1237 m (0.5 m/s2 after 4 s to react, mean gradient 0 per mille): raise its speed to at least 25 km/h, or lower the limit before it
rallentamento, 11500, 10, 300, 0, 1, 0
               ^~~~~
s.txt:12:19: note: the limit at the warning point comes from this row
velocita,  9000,  120
                  ^~~
)"},
    {"a slowdown at the lowest speed its warning point allows", 'S', 18, "rallentamento, 11500, 25, 300, 0, 1, 0", "codice_errore=0 posizione_errore=0",
     R"()"},
    {"a steep descent before a slowdown", 'L', 18, "pendenza,  4000,  -45", "codice_errore=0 posizione_errore=0",
     R"(s.txt:18:16: warning: slowdown at 7000 m to 60 km/h: its warning point stands 1200 m before it, but braking from the limit of 80 km/h takes 1934 m (0.5 m/s2 after 4 s to react, mean gradient -45 per mille): raise its speed to at least 70 km/h, or lower the limit before it
rallentamento, 7000, 60, 300, 0, 1, 0
               ^~~~
s.txt:11:19: note: the limit at the warning point comes from this row
velocita,  4000,  80
                  ^~
)"},
    {"a descent steeper than the brake before a slowdown", 'L', 18, "pendenza,  4000,  -60", "codice_errore=0 posizione_errore=0",
     R"(s.txt:18:16: warning: slowdown at 7000 m to 60 km/h: its warning point stands 1200 m before it, but on a mean gradient of -60 per mille a brake of 0.5 m/s2 cannot slow the train from the limit of 80 km/h at all: check the gradient rows before it
rallentamento, 7000, 60, 300, 0, 1, 0
               ^~~~
s.txt:11:19: note: the limit at the warning point comes from this row
velocita,  4000,  80
                  ^~
)"},
    // Rows at a negative position: each told at its position, with what the
    // compile does with it.
    {"a first gradient row before the route's start", 'L', 16, "pendenza,  -500,  0", "codice_errore=0 posizione_errore=0",
     R"(l.txt:16:12: warning: gradient row at -500 m lies before the route's start at 0 m: it writes no cell, and its gradient 0 holds from 0 m, as if the row stood there; write 0
pendenza,  -500,  0
           ^~~~
)"},
    {"a gradient row before the route's start in mid-file", 'L', 18, "pendenza,  -1500,  -5", "codice_errore=0 posizione_errore=0",
     R"(l.txt:18:12: warning: gradient row at -1500 m lies before the route's start at 0 m: it writes no cell, and its gradient -5 takes the place of the previous row's from 1500 m on; write the position where it begins
pendenza,  -1500,  -5
           ^~~~~
)"},
    {"a curve that starts before the route", 'L', 12, "curvad4,  -100,  600", "codice_errore=0 posizione_errore=0",
     R"(l.txt:12:11: warning: curve at -100 m lies before the route's start at 0 m: only its part from 0 m to its end at 500 m is bent; write the start 0 and the length 500
curvad4,  -100,  600
          ^~~~
)"},
    {"a montagna span before the route", 'L', 22, "montagna,  -200,  800,  11", "codice_errore=15 posizione_errore=7000",
     R"(l.txt:22:12: error: error 15: montagna span at -200 m lies before the route's start at 0 m: its cell would be -4; write a position of 0 or more
montagna,  -200,  800,  11
           ^~~~
s.txt:18:1: note: this code stops the read of the service at this row, its first signal or slowdown; the rows after it are not read
rallentamento, 7000, 60, 300, 0, 1, 0
^~~~~~~~~~~~~
)"},
    {"an indicator before the route", 'L', 26, "indicatori_vmax,  -500,  60,  70,  75,  0,  60,  70,  75,  0", "codice_errore=15 posizione_errore=7000",
     R"(l.txt:26:19: error: error 15: maximum-speed indicator at -500 m lies before the route's start at 0 m: its cell would be -9; write a position of 0 or more
indicatori_vmax,  -500,  60,  70,  75,  0,  60,  70,  75,  0
                  ^~~~
s.txt:18:1: note: this code stops the read of the service at this row, its first signal or slowdown; the rows after it are not read
rallentamento, 7000, 60, 300, 0, 1, 0
^~~~~~~~~~~~~
)"},
    {"a sign a little before the route", 'L', 24, "cartello_indicatore,  -50,  (Cippo Km.)( 0+000 )", "codice_errore=0 posizione_errore=0",
     R"(l.txt:24:23: warning: sign board '(Cippo Km.)( 0+000 )' at -50 m lies before the route's start at 0 m: it is placed in cell 0 (-50 m), the route's first cell; write a position of 0 or more
cartello_indicatore,  -50,  (Cippo Km.)( 0+000 )
                      ^~~
)"},
    {"a speed row before the route's start", 'S', 11, "velocita,  -4000,  80", "codice_errore=0 posizione_errore=0",
     R"(s.txt:11:12: warning: speed row at -4000 m lies before the route's start at 0 m: it writes no cell, and its speed 80 takes the place of the previous row's from 0 m on; write the position where it begins
velocita,  -4000,  80
           ^~~~~
)"},
    {"a slowdown before the route", 'S', 18, "rallentamento, -300, 60, 300, 0, 1, 0", "codice_errore=15 posizione_errore=-300",
     R"(s.txt:18:16: error: error 15: slowdown at -300 m lies before the route's start at 0 m: its cell would be -5; write a position of 0 or more
rallentamento, -300, 60, 300, 0, 1, 0
               ^~~~
)"},
    {"a code-reduction point a little before the route", 'S', 22, "abbattimento, -10, 180", "codice_errore=0 posizione_errore=0",
     R"(s.txt:22:15: warning: code-reduction point at -10 m lies before the route's start at 0 m: it is placed in cell 0, the route's first cell; write a position of 0 or more
abbattimento, -10, 180
              ^~~
)"},
    {"a first station before the route's start", 'S', 14, "stazione, -100, 4, 800, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, Pratofondo", "codice_errore=0 posizione_errore=0",
     R"(s.txt:14:11: warning: station 'Pratofondo' at -100 m lies before the route's start at 0 m: it is kept, with its extent from -500 m to 300 m; write a position of 0 or more
stazione, -100, 4, 800, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, Pratofondo
          ^~~~
)"},
    // A row of the other text, or of a train profile, named as such.
    {"a line row in the service", 'S', 18, "pendenza,  5000,  10", "codice_errore=0 posizione_errore=0",
     R"(s.txt:18:1: warning: 'pendenza' is a row of the line description, not of the service description: the row is skipped; move it to BORVALE_linea.txt
pendenza,  5000,  10
^~~~~~~~
)"},
    {"a service row in the line", 'L', 19, "velocita,  7000,  12", "codice_errore=0 posizione_errore=0",
     R"(l.txt:19:1: warning: 'velocita' is a row of the service description, not of the line description: the row is skipped; move it to BORVALE_40617-.txt
velocita,  7000,  12
^~~~~~~~
)"},
    {"a station in the line's [generale]", 'L', 9, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino", "codice_errore=0 posizione_errore=0",
     R"(l.txt:9:1: warning: 'stazione' is a row of the service description, not of the line description: the row is skipped; move it to BORVALE_40617-.txt
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
^~~~~~~~
)"},
    {"a train profile's row in the service", 'S', 5, "massa per veicolo,  45", "codice_errore=0 posizione_errore=0",
     R"(s.txt:5:1: warning: 'massa per veicolo' is a row of a train profile, not of the service description: the row is skipped; move it to the train profile, given with --train-profile
massa per veicolo,  45
^~~~~~~~~~~~~~~~~
)"},
    // Kilometre posts set against the chainage.
    {"a kilometre post the chainage puts elsewhere", 'L', 24, "cartello_indicatore,  7700,  (Cippo Km.)( 9+000 )", "codice_errore=0 posizione_errore=0",
     R"(l.txt:24:30: warning: the kilometre post '(Cippo Km.)( 9+000 )' at 7700 m reads km 9+000, but the chainage there is km 7+700: km 9+000 lies at 9000 m; move the post there or mend its caption
cartello_indicatore,  7700,  (Cippo Km.)( 9+000 )
                             ^~~~~~~~~~~~~~~~~~~~
)"},
    {"a chainage reference that no post follows", 'L', 4, "progressiva chilometrica uno,   0,  42300,  0", "codice_errore=0 posizione_errore=0",
     R"(l.txt:24:30: warning: the kilometre post '(Cippo Km.)( 3+000 )' at 2950 m reads km 3+000, but the chainage there is km 45+250: no position of the route has km 3+000; mend its caption or the chainage references
cartello_indicatore,  2950,  (Cippo Km.)( 3+000 )
                             ^~~~~~~~~~~~~~~~~~~~
)"},
    {"a station row one value short: the name read as a value", 'S', 15, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, Lago Serino", "codice_errore=25 posizione_errore=0",
     R"(s.txt:15:59: error: error 25: `stazione` takes 17 values; this row has 16 (the name was read as the 16th)
stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, Lago Serino
                                                          ^~~~~~~~~~~
)"},
    {"a speed beyond 32 bits told against its field's range", 'S', 12, "velocita,  9000,  99999999999", "codice_errore=25 posizione_errore=0",
     R"(s.txt:12:19: error: error 25: speed 99999999999 does not fit 0..1275
velocita,  9000,  99999999999
                  ^~~~~~~~~~~
)"},
    {"a station position beyond 32 bits", 'S', 15, "stazione, 5000000000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino", "codice_errore=25 posizione_errore=0",
     R"(s.txt:15:11: error: error 25: position 5000000000 does not fit 0..2147483647
stazione, 5000000000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino
          ^~~~~~~~~~
)"},
};
// clang-format on

TEST_F(Check, AuthorsMistakesGiveTheirExactDiagnostics) {
  for (const errore_autore& c : kErrori) {
    SCOPED_TRACE(c.nome);
    std::vector<std::string> linea = prova::linea_esempio();
    std::vector<std::string> servizio = prova::servizio_esempio();
    (c.testo == 'L' ? linea : servizio)[static_cast<size_t>(c.riga - 1)] = c.scritto;
    scrivi_testi(righe_crlf(linea), righe_crlf(servizio));
    const esito_strumento e = check();
    EXPECT_EQ(e.err, c.diagnostiche);
    EXPECT_EQ(ultima_riga(e.out), c.ultima);
  }
}

// Several independent mistakes in both texts: one run tells each at its
// line, the rows after each error read on, and nothing that only follows
// from an earlier error. The compile's own codes and last line stay as the
// build records them; the summary says the compile stops at the first.
TEST_F(Check, EveryIndependentErrorInOneRun) {
  std::vector<std::string> linea = prova::linea_esempio();
  std::vector<std::string> servizio = prova::servizio_esempio();
  linea[19] = "pendenza,  20000,  0";
  servizio[11] = "velocita,  9000,  22O00";
  servizio[15] = "stazione, 3000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara";
  servizio[20] = "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";
  scrivi_testi(righe_crlf(linea), righe_crlf(servizio));
  const esito_strumento e = check();
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.err,
            "l.txt:20:12: error: error 15: position 20000 m is beyond the route's cells: the route ends at 12000 m, its "
            "cells run on to 19000 m, and a row needs 100 m of them past its position, so it may stand up to 18900 m\n"
            "pendenza,  20000,  0\n"
            "           ^~~~~\n"
            "s.txt:12:19: error: error 25: expected a whole number, found '22O00'\n"
            "velocita,  9000,  22O00\n"
            "                  ^~~~~\n"
            "s.txt:16:11: error: error 22: station at 3000 m comes after station 'Lago Serino' at 5000 m: stations go "
            "in route order\n"
            "stazione, 3000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara\n"
            "          ^~~~\n"
            "s.txt:21:10: error: error 16: signal at 500 m: cell 11 (500 m) already holds a maximum-speed indicator\n"
            "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0\n"
            "         ^~~\n"
            "l.txt:26:1: note: a maximum-speed indicator in cell 11 (500 m) comes from this row\n"
            "indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0\n"
            "^~~~~~~~~~~~~~~\n");
  EXPECT_EQ(e.out,
            "2 stations, 1 signal, 1 slowdown, 3 curves, 4 gradients, route 12000 m, reading on past the errors; the "
            "compile stops at the first one, " + linea_ + ":20:12\n"
            "codice_errore=25 posizione_errore=20000\n");
  // compile tells the same, and its last line and status are the build's.
  const esito_strumento c = esegui({"compile", "--line", linea_, "--service", servizio_, "--out", dir_ / "out"});
  EXPECT_EQ(c.err, e.err);
  EXPECT_EQ(ultima_riga(c.out), "codice_errore=25 posizione_errore=20000");
  EXPECT_EQ(c.stato, kUscitaCodice);
}

// A fault on every one of many rows: five are shown and the rest counted,
// those the compile only counted among them, whether or not an error before
// them made check read on past it.
TEST_F(Check, AFloodOfOneWarningIsCountedPastTheCap) {
  for (const bool errore_prima : {false, true}) {
    SCOPED_TRACE(errore_prima ? "after an error" : "alone");
    std::vector<std::string> servizio = prova::servizio_esempio();
    servizio.insert(servizio.begin() + 10, 250, "velocita,  0,  100");
    if (errore_prima) servizio[7] = "aderenza,  0,  8O";
    scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(servizio));
    const esito_strumento e = check();
    EXPECT_EQ(e.stato, kUscitaCodice);
    EXPECT_NE(e.err.find("s.txt: note: 245 more like this\n"), std::string::npos) << e.err;
    EXPECT_EQ(e.err.find("s.txt:17:"), std::string::npos) << "the sixth is not shown";
  }
}

// A file the compile wrote, given where a description text goes, is named
// as what it is; nothing is compiled and the status is 4.
TEST_F(Check, CompiledFilesGivenAsTextsAreNamed) {
  scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(prova::servizio_esempio()));
  const std::string out = dir_ / "out";
  ASSERT_EQ(esegui({"compile", "--line", linea_, "--service", servizio_, "--out", out}).stato, kUscitaPulita);
  const std::pair<const char*, const char*> casi[] = {
      {"BORVALE_linea.dat", "the line plan of a compiled scenario (_linea.dat)"},
      {"BORVALE_40617.sim", "the object table of a compiled scenario (.sim)"},
      {"BORVALE_40617.dat", "the route cells of a compiled scenario (.dat)"},
  };
  for (const auto& [file, cosa] : casi) {
    SCOPED_TRACE(file);
    const esito_strumento e = esegui({"check", "--line", out + "/" + file, "--service", servizio_});
    EXPECT_EQ(e.stato, kUscitaFile);
    EXPECT_EQ(e.err, "out/" + std::string(file) + ": error: this is " + cosa +
                         ", a file the compile writes, not a description text: give the text it was compiled from "
                         "('scenario_tool decompile' makes the texts again from the three files)\n");
  }
}

// The same mistake in the service told by compile on standard error.
TEST_F(Check, CompileShowsTheSameDiagnostics) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[11] = "velcita,  9000,  120";
  scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(servizio));
  const esito_strumento e = esegui({"compile", "--line", linea_, "--service", servizio_, "--out", dir_ / "out"});
  EXPECT_EQ(e.stato, kUscitaPulita);
  EXPECT_EQ(e.err, check().err);
  EXPECT_EQ(ultima_riga(e.out), "codice_errore=0 posizione_errore=0");
}

// The driver's documents' warnings are the compile's: compile tells them
// with or without --documents (once), view too, and --werror counts them.
TEST_F(Check, CompileAndViewTellTheDocumentsWarnings) {
  std::vector<std::string> linea = prova::linea_esempio();
  linea[23] = "cartello_indicatore,  2950,  (Galleria Segola Vecchia)(di Sopra al Colle)";
  scrivi_testi(righe_crlf(linea), righe_crlf(prova::servizio_esempio()));
  const esito_strumento c = check();
  EXPECT_EQ(c.stato, kUscitaCodice);
  ASSERT_NE(c.err.find("l.txt:24:30: warning: the sign caption"), std::string::npos) << c.err;
  const std::string out = dir_ / "out";
  const std::vector<std::string> testi = {"--line", linea_, "--service", servizio_};
  struct caso {
    std::vector<std::string> argomenti;
    int stato;
    std::string coda;  // what follows the diagnostics check shows
  };
  const caso casi[] = {
      {{"compile", "--out", out}, kUscitaPulita, ""},
      {{"compile", "--documents", "--out", out}, kUscitaPulita, ""},
      {{"documents", "--out", out}, kUscitaPulita, ""},
      {{"view", "--html", dir_ / "p.html"}, kUscitaPulita, ""},
      {{"compile", "--werror", "--out", dir_ / "nessuno"}, kUscitaCodice,
       "scenario_tool: error: warnings are errors with --werror: no file written\n"},
  };
  for (const caso& k : casi) {
    std::vector<std::string> a = {k.argomenti[0]};
    a.insert(a.end(), testi.begin(), testi.end());
    a.insert(a.end(), k.argomenti.begin() + 1, k.argomenti.end());
    SCOPED_TRACE(a[0] + " " + k.argomenti[1]);
    const esito_strumento e = esegui(a);
    EXPECT_EQ(e.stato, k.stato);
    EXPECT_EQ(e.err, c.err + k.coda);
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "nessuno/BORVALE_40617.sim"));
}

// A whole text given in the wrong place is said first and once, with none of
// the findings that only follow from it; the compile's own last line stays.
TEST_F(Check, TextsGivenInTheWrongPlaceAreToldOnce) {
  const std::string linea = righe_crlf(prova::linea_esempio());
  const std::string servizio = righe_crlf(prova::servizio_esempio());
  const std::string profilo = "[treno]\r\nmassa per veicolo, 45\r\nvelocita massima, 120\r\n[fine]\r\n";
  struct caso {
    const char* nome;
    std::string linea, servizio;
    std::string err;
  };
  const caso casi[] = {
      {"swapped", servizio, linea,
       "l.txt: error: this is the service description, and s.txt the line description: --line and --service are "
       "swapped\n"},
      {"the service given as the line", servizio, servizio,
       "l.txt: error: this is the service description, not the line description: give it with --service\n"},
      {"a train profile given as the line", profilo, servizio,
       "l.txt: error: this is a train profile, not the line description: give it with --train-profile\n"},
      {"a train profile given as the service", linea, profilo,
       "s.txt: error: this is a train profile, not the service description: give it with --train-profile\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scrivi_testi(c.linea, c.servizio);
    const esito_strumento e = check();
    EXPECT_EQ(e.stato, kUscitaCodice);
    EXPECT_EQ(e.err, c.err);
  }
  // The compile's own findings stay in its summary and last line.
  scrivi_testi(servizio, linea);
  EXPECT_EQ(check().out, "0 stations, 0 signals, 0 slowdowns, 0 curves, 0 gradients, no route, reading on past the "
                         "errors; the compile stops at the first one, " + linea_ + "\n"
                         "codice_errore=25 posizione_errore=0\n");
}

// A description, or nothing, given as the train profile: said, and the
// profile is not used.
TEST_F(Check, TrainProfilesThatAreNone) {
  scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(prova::servizio_esempio()));
  const std::string profilo = dir_ / "p.txt";
  const std::pair<std::string, std::string> casi[] = {
      {righe_crlf(prova::linea_esempio()), "p.txt: error: this is the line description, not a train profile: give it with --line\n"},
      {righe_crlf(prova::servizio_esempio()), "p.txt: error: this is the service description, not a train profile: give it with --service\n"},
      {"", "p.txt: error: the train profile sets nothing: write its rows ('massa per veicolo, 45'...), or leave out "
           "--train-profile for the default train\n"},
  };
  for (const auto& [testo, err] : casi) {
    SCOPED_TRACE(err);
    scrivi(profilo, testo);
    const esito_strumento e = check({"--train-profile", profilo});
    EXPECT_EQ(e.stato, kUscitaCodice);
    EXPECT_EQ(e.err, err + "scenario_tool: error: the train profile p.txt has errors and is not used\n");
  }
}

TEST_F(Check, BuiltInScenarioChecksClean) {
  scrivi_testi(componi_documento(righe_linea()), componi_documento(righe_treno()));
  for (const std::vector<std::string>& extra : {std::vector<std::string>{}, std::vector<std::string>{"--no-plan"}}) {
    const esito_strumento e = check(extra);
    EXPECT_EQ(e.stato, kUscitaPulita);
    EXPECT_EQ(e.err, "");
    EXPECT_EQ(e.out, "30 stations, 47 signals, 1 slowdown, 69 curves, 22 gradients, route 93000 m\n"
                     "codice_errore=0 posizione_errore=0\n");
  }
}

// The recovery margin and the train come from the command line: a wider
// margin warns of a leg the default one passes; a profile's mistakes are
// told at its rows and stop the check.
TEST_F(Check, RecoveryMarginAndTrainProfile) {
  scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(prova::servizio_esempio()));
  const esito_strumento largo = check({"--recovery-margin", "50"});
  EXPECT_EQ(largo.stato, kUscitaCodice);
  EXPECT_EQ(largo.err.substr(0, largo.err.find('\n')),
            "s.txt:16:62: warning: from Lago Serino to Cortemara (6.0 km between the stations' positions) the timetable gives 7 min 30 s and the "
            "fastest run takes 5 min 13 s: a margin of 44.1 %, below the recovery margin of 50 %");
  const std::string profilo = dir_ / "p.txt";
  scrivi(profilo, "[treno]\r\nfrenatura di servizio, 0\r\n[fine]\r\n");
  const esito_strumento e = check({"--train-profile", profilo});
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.out, "");
  EXPECT_EQ(e.err,
            "p.txt:2:24: error: the rate in m/s2 of 'frenatura di servizio' must be from 0.01 to 10, not 0\n"
            "frenatura di servizio, 0\n"
            "                       ^\n"
            "scenario_tool: error: the train profile p.txt has errors and is not used\n");
}

// A train profile's numbers: the exponent form is read, and a value that is
// no number is told with the forms a number takes.
TEST_F(Check, TrainProfileNumbersAreReadInEveryForm) {
  scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(prova::servizio_esempio()));
  const std::string profilo = dir_ / "p.txt";
  const std::pair<std::string, std::string> casi[] = {
      {"potenza, 1e9",
       "p.txt:2:10: error: the power in kW of 'potenza' must be from 1 to 1e+08, not 1e+09\n"
       "potenza, 1e9\n"
       "         ^~~\n"},
      {"massa, 8x8",
       "p.txt:2:8: error: expected a number for the mass in t of 'massa', found '8x8': write it as 45, 0.08 or 1e9\n"
       "massa, 8x8\n"
       "       ^~~\n"},
  };
  for (const auto& [riga, attesa] : casi) {
    scrivi(profilo, "[treno]\r\n" + riga + "\r\n[fine]\r\n");
    const esito_strumento e = check({"--train-profile", profilo});
    EXPECT_EQ(e.stato, kUscitaCodice);
    EXPECT_EQ(e.err, attesa + "scenario_tool: error: the train profile p.txt has errors and is not used\n");
  }
  scrivi(profilo, "[treno]\r\npotenza per tonnellata, 1.2e1\r\n[fine]\r\n");
  EXPECT_EQ(check({"--train-profile", profilo}).err.find("p.txt"), std::string::npos);
}

// Every file under a folder with its bytes.
std::map<std::string, std::string> contenuto(const std::string& cartella) {
  std::map<std::string, std::string> file;
  for (const auto& f : std::filesystem::recursive_directory_iterator(cartella)) {
    file[f.path().string()] = f.is_regular_file() ? leggi(f.path().string()) : "(folder)";
  }
  return file;
}

// check runs in the texts' folder, as an author would run it, and leaves
// the folder as it found it.
TEST_F(Check, WritesNothing) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[20] = "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";  // an error too: nothing is written either way
  scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(servizio));
  const std::map<std::string, std::string> prima = contenuto(dir_.cartella());
  const std::string comando = "cd " + prova::tra_apici(dir_.cartella()) + " && " +
                              prova::tra_apici(SB_SCENARIO_TOOL) + " check --line l.txt --service s.txt >/dev/null 2>&1";
  EXPECT_EQ(WEXITSTATUS(std::system(comando.c_str())), kUscitaCodice);
  EXPECT_EQ(contenuto(dir_.cartella()), prima);
}

// The exit statuses of check, and of compile with and without --werror,
// with whether compile wrote its files.
TEST_F(Check, ExitStatuses) {
  const std::string linea = righe_crlf(prova::linea_esempio());
  const std::string servizio = righe_crlf(prova::servizio_esempio());
  std::vector<std::string> con_avviso = prova::servizio_esempio();
  con_avviso[10] = "velocita,  4000,  82";
  std::vector<std::string> con_errore = prova::servizio_esempio();
  con_errore[20] = "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";
  std::vector<std::string> solo_note = prova::linea_esempio();
  solo_note.erase(solo_note.begin() + 10, solo_note.begin() + 20);  // no curve and no gradient row
  struct caso {
    const char* nome;
    std::string linea, servizio;
    std::vector<std::string> argomenti;
    int stato;
    bool scritti;
  };
  const std::string out = dir_ / "out";
  const caso casi[] = {
      {"check, clean", linea, servizio, {"check"}, kUscitaPulita, false},
      {"check, a warning", linea, righe_crlf(con_avviso), {"check"}, kUscitaCodice, false},
      {"check, an error", linea, righe_crlf(con_errore), {"check"}, kUscitaCodice, false},
      {"check, notes only", righe_crlf(solo_note), servizio, {"check"}, kUscitaPulita, false},
      {"check, a text in UTF-16", linea, std::string("\xFF\xFE" "a\0b\0", 6), {"check"}, kUscitaFile, false},
      {"check, a NUL byte", linea, std::string("[generale]\r\nsab\0bia, 1\r\n", 23), {"check"}, kUscitaFile, false},
      {"compile, a warning", linea, righe_crlf(con_avviso), {"compile", "--out", out}, kUscitaPulita, true},
      {"compile --werror, a warning", linea, righe_crlf(con_avviso), {"compile", "--werror", "--out", out},
       kUscitaCodice, false},
      {"compile --werror, clean", linea, servizio, {"compile", "--werror", "--out", out}, kUscitaPulita, true},
      {"compile --werror, notes only", righe_crlf(solo_note), servizio, {"compile", "--werror", "--out", out},
       kUscitaPulita, true},
      {"compile, a NUL byte", linea, std::string("[generale]\r\nsab\0bia, 1\r\n", 23), {"compile", "--out", out},
       kUscitaFile, false},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::filesystem::remove_all(out);
    scrivi_testi(c.linea, c.servizio);
    std::vector<std::string> a = c.argomenti;
    a.insert(a.end(), {"--line", linea_, "--service", servizio_});
    const esito_strumento e = esegui(a);
    EXPECT_EQ(e.stato, c.stato) << e.err;
    EXPECT_EQ(prova::esiste(out + "/BORVALE_40617.sim"), c.scritti);
  }
  EXPECT_EQ(check({"--bogus"}).stato, kUscitaUso);
  EXPECT_EQ(esegui({"check", "--line", dir_ / "absent.txt"}).stato, kUscitaFile);
}

TEST_F(Check, WerrorSaysWhyNothingWasWritten) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[10] = "velocita,  4000,  82";
  scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(servizio));
  const esito_strumento e = esegui({"compile", "--werror", "--line", linea_, "--service", servizio_, "--out", dir_ / "o"});
  EXPECT_EQ(e.err,
            "s.txt:11:19: warning: speed 82 km/h is not a multiple of 5: it is stored as 80\n"
            "velocita,  4000,  82\n"
            "                  ^~\n"
            "scenario_tool: error: warnings are errors with --werror: no file written\n");
  EXPECT_EQ(ultima_riga(e.out), "codice_errore=0 posizione_errore=0");
}

TEST_F(Check, RefusedTextsAreToldWhereAndWhy) {
  scrivi_testi(righe_crlf(prova::linea_esempio()), std::string("[generale]\r\nsab\0bia, 1\r\n", 23));
  EXPECT_EQ(check().err,
            "s.txt:2:4: error: the text holds a NUL byte: a description is plain text\n"
            "sab\xE2\x90\x80" "bia, 1\n"
            "   ^\n");
  scrivi_testi(righe_crlf(prova::linea_esempio()), std::string("\xFF\xFE" "a\0b\0", 6));
  EXPECT_EQ(check().err, "s.txt: error: the text is UTF-16: save it as UTF-8 or as code page 1252\n");
  for (const std::string& utf32 : {std::string("\xFF\xFE\0\0a\0\0\0", 8), std::string("a\0\0\0b\0\0\0", 8),
                                   std::string("\0\0\xFE\xFF\0\0\0a", 8)}) {
    scrivi_testi(righe_crlf(prova::linea_esempio()), utf32);
    EXPECT_EQ(check().err, "s.txt: error: the text is UTF-32: save it as UTF-8 or as code page 1252\n");
  }
  // Notes are held to the same rule: nothing of them is copied.
  scrivi_testi(righe_crlf(prova::linea_esempio()), righe_crlf(prova::servizio_esempio()));
  prova::scrivi(dir_ / "n.txt", std::string("\xFF\xFE" "a\0b\0", 6));
  const esito_strumento e =
      esegui({"documents", "--line", linea_, "--service", servizio_, "--notes", dir_ / "n.txt", "--out", dir_ / "d"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, "n.txt: the text is UTF-16: save it as UTF-8 or as code page 1252\n");
  EXPECT_FALSE(prova::esiste(dir_ / "d/BORVALE_40617_note.txt"));
}

TEST(Riepilogo, CountsWhatTheScenarioHolds) {
  scenario s;
  EXPECT_EQ(riga_riepilogo(s), "0 stations, 0 signals, 0 slowdowns, 0 curves, 0 gradients, no route");
  s.celle.resize(3);
  s.tabella[kOggettoGenerale].fine = 25;
  s.tracce.righe = {1, 1, 1, 1, 1};
  EXPECT_EQ(riga_riepilogo(s), "1 station, 1 signal, 1 slowdown, 1 curve, 1 gradient, route 25 m");
}

}  // namespace
}  // namespace sb
