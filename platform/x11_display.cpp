#include "platform/x11_display.h"

#include <poll.h>

#include <X11/Xutil.h>

#include <chrono>

namespace sb {
namespace {

// A bold sans-serif of 24 point at 96 dots per inch, whatever the server's
// own resolution.
constexpr const char* kFontEtichetta = "sans-serif:bold:pixelsize=32";
constexpr const char* kFontMessaggio = "sans-serif:pixelsize=15";

// Errors of requests on windows that someone else has destroyed are no reason
// to stop the build.
int ignora_errore(Display* /*dpy*/, XErrorEvent* /*evento*/) { return 0; }

// The pixel of an RGB colour, or the fallback when it cannot be allocated.
unsigned long colore(const schermo_x11& s, unsigned short r, unsigned short g, unsigned short b,
                     unsigned long ripiego) {
  XColor c{};
  c.red = static_cast<unsigned short>(r * 257);
  c.green = static_cast<unsigned short>(g * 257);
  c.blue = static_cast<unsigned short>(b * 257);
  c.flags = DoRed | DoGreen | DoBlue;
  if (!s.x->XAllocColor(s.dpy, s.colori, &c)) return ripiego;
  return c.pixel;
}

}  // namespace

bool apri_schermo(schermo_x11& s, const funzioni_x11& f) {
  s.x = &f;
  s.dpy = s.x->XOpenDisplay(nullptr);
  if (s.dpy == nullptr) return false;
  s.numero = DefaultScreen(s.dpy);
  s.visual = DefaultVisual(s.dpy, s.numero);
  s.colori = DefaultColormap(s.dpy, s.numero);
  s.profondita = DefaultDepth(s.dpy, s.numero);
  s.font_etichetta = s.x->XftFontOpenName(s.dpy, s.numero, kFontEtichetta);
  s.font_messaggio = s.x->XftFontOpenName(s.dpy, s.numero, kFontMessaggio);
  if (s.font_etichetta == nullptr || s.font_messaggio == nullptr) {
    chiudi_schermo(s);
    return false;
  }
  unsigned long bianco = WhitePixel(s.dpy, s.numero);
  s.nero = BlackPixel(s.dpy, s.numero);
  s.sfondo = colore(s, 0xf0, 0xf0, 0xf0, bianco);
  s.luce = colore(s, 0xff, 0xff, 0xff, bianco);
  s.ombra = colore(s, 0xa0, 0xa0, 0xa0, s.nero);
  s.wm_protocols = s.x->XInternAtom(s.dpy, "WM_PROTOCOLS", False);
  s.wm_delete_window = s.x->XInternAtom(s.dpy, "WM_DELETE_WINDOW", False);
  s.gestore_precedente = s.x->XSetErrorHandler(ignora_errore);
  return true;
}

void chiudi_schermo(schermo_x11& s) {
  if (s.dpy == nullptr) return;
  if (s.font_etichetta != nullptr) s.x->XftFontClose(s.dpy, s.font_etichetta);
  if (s.font_messaggio != nullptr) s.x->XftFontClose(s.dpy, s.font_messaggio);
  s.font_etichetta = nullptr;
  s.font_messaggio = nullptr;
  s.x->XSync(s.dpy, False);
  if (s.gestore_precedente != nullptr) s.x->XSetErrorHandler(s.gestore_precedente);
  s.x->XCloseDisplay(s.dpy);
  s.dpy = nullptr;
}

misura_testo misura(const schermo_x11& s, XftFont* font, const std::string& testo) {
  XGlyphInfo g{};
  s.x->XftTextExtents8(s.dpy, font, reinterpret_cast<const FcChar8*>(testo.data()),
                  static_cast<int>(testo.size()), &g);
  return {g.xOff, font->ascent + font->descent};
}

Pixmap pixmap_testo(const schermo_x11& s, XftFont* font, const std::string& testo, int w, int h,
                    int x, int y) {
  Pixmap p = s.x->XCreatePixmap(s.dpy, RootWindow(s.dpy, s.numero), static_cast<unsigned>(w),
                           static_cast<unsigned>(h), static_cast<unsigned>(s.profondita));
  GC gc = s.x->XCreateGC(s.dpy, p, 0, nullptr);
  s.x->XSetForeground(s.dpy, gc, s.sfondo);
  s.x->XFillRectangle(s.dpy, p, gc, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h));
  s.x->XFreeGC(s.dpy, gc);
  XftDraw* d = s.x->XftDrawCreate(s.dpy, p, s.visual, s.colori);
  XRenderColor nero{0, 0, 0, 0xffff};
  XftColor c{};
  s.x->XftColorAllocValue(s.dpy, s.visual, s.colori, &nero, &c);
  s.x->XftDrawString8(d, &c, font, x, y + font->ascent, reinterpret_cast<const FcChar8*>(testo.data()),
                 static_cast<int>(testo.size()));
  s.x->XftColorFree(s.dpy, s.visual, s.colori, &c);
  s.x->XftDrawDestroy(d);
  return p;
}

Window controllo(const schermo_x11& s, Window padre, int x, int y, int w, int h, Pixmap immagine,
                 const std::string& nome) {
  Window c = s.x->XCreateSimpleWindow(s.dpy, padre, x, y, static_cast<unsigned>(w),
                                 static_cast<unsigned>(h), 0, s.nero, s.sfondo);
  s.x->XSetWindowBackgroundPixmap(s.dpy, c, immagine);
  s.x->XStoreName(s.dpy, c, nome.c_str());
  return c;
}

Window finestra_principale(const schermo_x11& s, int x, int y, int w, int h,
                           const std::string& titolo) {
  Window f = s.x->XCreateSimpleWindow(s.dpy, RootWindow(s.dpy, s.numero), x, y,
                                 static_cast<unsigned>(w), static_cast<unsigned>(h), 0, s.nero,
                                 s.sfondo);
  s.x->XStoreName(s.dpy, f, titolo.c_str());
  XClassHint classe{};
  char nome[] = "scenario_builder";
  char classe_nome[] = "Scenario_builder";
  classe.res_name = nome;
  classe.res_class = classe_nome;
  s.x->XSetClassHint(s.dpy, f, &classe);
  Atom protocolli = s.wm_delete_window;
  s.x->XSetWMProtocols(s.dpy, f, &protocolli, 1);
  return f;
}

bool attendi_evento(const schermo_x11& s, Window w, int tipo, int ms) {
  using orologio = std::chrono::steady_clock;
  const orologio::time_point fine = orologio::now() + std::chrono::milliseconds(ms);
  for (;;) {
    while (s.x->XPending(s.dpy) > 0) {
      XEvent e;
      s.x->XNextEvent(s.dpy, &e);
      if (e.type == tipo && e.xany.window == w) return true;
    }
    auto resto =
        std::chrono::duration_cast<std::chrono::milliseconds>(fine - orologio::now()).count();
    if (resto <= 0) return false;
    pollfd p{ConnectionNumber(s.dpy), POLLIN, 0};
    poll(&p, 1, static_cast<int>(resto));
  }
}

}  // namespace sb
