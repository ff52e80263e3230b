// Item ids the castaway's rules name.
#pragma once

namespace item {
constexpr int PALME = 1, STEINBROCKEN = 2, TREIBHOLZ = 3, HAMMER = 4, BEEREN = 5, KOKOSNUSS = 6,
              BEERENSTRAUCH = 7, FEUERSTEIN = 8, SCHIEFER = 9, EISENERZ = 10, EISEN = 11,
              FEUERSTELLE = 12, AXT = 13, SAEGE = 14, PLANKE = 15, FLEISCH = 16, BRATEN = 17,
              LEDERBEUTEL = 18, FARNE = 19, SEGELSTUECK = 20, SEGEL = 21, FLOSSROHLING = 22,
              AFFENFELL = 23;
} // namespace item
