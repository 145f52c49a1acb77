// The connection to an X display and the drawing aids that the waiting window
// and the message box share.
#pragma once

#include <string>

#include "platform/x11_library.h"

namespace sb {

// An open display with the fonts, colours and atoms of the builder's windows.
struct schermo_x11 {
  const funzioni_x11* x = nullptr;    // the library functions
  Display* dpy = nullptr;
  int numero = 0;                     // the default screen
  Visual* visual = nullptr;
  Colormap colori = 0;
  int profondita = 0;
  unsigned long sfondo = 0;           // the face of windows and buttons
  unsigned long nero = 0;
  unsigned long luce = 0;             // a button's lit edges
  unsigned long ombra = 0;            // a button's shaded edges
  XftFont* font_etichetta = nullptr;  // the waiting label: bold sans-serif, 24 point
  XftFont* font_messaggio = nullptr;  // the box's text and button
  Atom wm_protocols = 0;
  Atom wm_delete_window = 0;
  XErrorHandler gestore_precedente = nullptr;
};

// Opens the default display and loads the fonts through the functions f,
// which must outlive s; false, with nothing left open, when either fails.
bool apri_schermo(schermo_x11& s, const funzioni_x11& f);

// Frees the fonts, puts back the error handler and closes the display.
void chiudi_schermo(schermo_x11& s);

// The size of a text drawn in a font, in pixels.
struct misura_testo {
  int larghezza = 0;
  int altezza = 0;
};

// Measures text (code page 1252 bytes) in the font.
misura_testo misura(const schermo_x11& s, XftFont* font, const std::string& testo);

// A w x h pixmap of the face colour with the text in black, its top-left
// corner at x, y.
Pixmap pixmap_testo(const schermo_x11& s, XftFont* font, const std::string& testo, int w, int h,
                    int x, int y);

// A child window that shows the image and carries the text as its name, as a
// control does; the server repaints it from its background on its own.
Window controllo(const schermo_x11& s, Window padre, int x, int y, int w, int h, Pixmap immagine,
                 const std::string& nome);

// A top-level window of w x h with the title, a fixed class and the close
// protocol; not mapped yet.
Window finestra_principale(const schermo_x11& s, int x, int y, int w, int h,
                           const std::string& titolo);

// Waits up to ms milliseconds for an event of the type on the window,
// dropping the others; false when the time ran out.
bool attendi_evento(const schermo_x11& s, Window w, int tipo, int ms);

}  // namespace sb
