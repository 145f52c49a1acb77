// What changed between two versions of a scenario, in the author's terms:
// both compiled to scenes first, so rows moved, reordered or reformatted
// that compile to the same thing are no change. Stations, items, profile
// rows, the general rows and the legs' fastest times and margins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/scene_model.h"

namespace sb {

// One value that differs: its name as the descriptions name it, old and new.
struct campo_cambiato {
  std::string nome;
  std::string prima;  // UTF-8
  std::string dopo;

  bool operator==(const campo_cambiato&) const = default;
};

// What happened to a thing.
enum class genere_cambio : uint8_t { aggiunto, rimosso, spostato, rinominato, cambiato };

// One change.
struct cambio_scena {
  int64_t metro = -1;     // where along the route it stands (the new side's, else the old's); -1 general rows
  std::string parola;     // the row's keyword ("stazione", "velocita"), "generale" or "tratta"
  std::string nome;       // the item's label where it has one ("Cortemara", "R 1 000"), UTF-8
  genere_cambio genere = genere_cambio::cambiato;
  int64_t da = 0;         // moved: from, to (metres); added or removed: where
  int64_t a = 0;
  std::vector<campo_cambiato> campi;  // changed (and renamed: "nome"); a moved item's values that changed too

  bool operator==(const cambio_scena&) const = default;
};

// The changes from the old scene to the new, in route order: the general
// rows first, then by metre (an item before a leg ending at the same one).
std::vector<cambio_scena> differenze_scene(const scena& vecchia, const scena& nuova);

// One line a change: "stazione Cortemara: moved +50 m, 11 000 -> 11 050 m".
std::string differenze_testo(const std::vector<cambio_scena>& cambi);

// The changes as a JSON array, one object each.
std::string differenze_json(const std::vector<cambio_scena>& cambi);

}  // namespace sb
