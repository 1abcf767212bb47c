#include "CollectionGenerator.h"

#include "collection/Windows1252.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace dovra::bench {
namespace {

// A generator of our own rather than <random>'s distributions, whose results differ between
// standard libraries: the same seed has to give the same collection everywhere.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u); // splitmix64
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // 0 .. bound-1
    std::uint32_t below(std::uint32_t bound) {
        return static_cast<std::uint32_t>(((next() >> 32) * bound) >> 32);
    }
    std::int32_t between(std::int32_t low, std::int32_t high) {
        return low + static_cast<std::int32_t>(below(static_cast<std::uint32_t>(high - low + 1)));
    }
    bool oneIn(std::uint32_t n) { return below(n) == 0; }

private:
    std::uint64_t state_;
};

// The word lists are written in UTF-8 and turned into Windows-1252 once per run.
std::vector<std::string> windows1252(std::initializer_list<std::string_view> utf8) {
    std::vector<std::string> texts;
    for (std::string_view text : utf8) {
        texts.push_back(windows1252FromUtf8(text));
    }
    return texts;
}

template <typename T> const T& pick(Random& random, const std::vector<T>& from) {
    return from[random.below(static_cast<std::uint32_t>(from.size()))];
}

struct Words {
    // Countries repeat by weight, so about four sets in ten come from Deutschland.
    std::vector<std::string> countries = windows1252({
        "Deutschland",    "Deutschland",  "Deutschland", "Deutschland",
        "Deutschland",    "Deutschland",  "Deutschland", "Deutschland",
        "Deutschland",    "Deutschland",  "Deutschland", "Deutschland",
        "Deutschland",    "Deutschland",  "Deutschland", "Deutschland",
        "Österreich",     "Österreich",   "Österreich",  "Belgien",
        "Belgien",        "Belgien",      "Tschechien",  "Tschechien",
        "Tschechien",     "Schweiz",      "Schweiz",     "Niederlande",
        "Niederlande",    "Dänemark",     "Polen",       "Frankreich",
        "Italien",        "Spanien",      "Portugal",    "Luxemburg",
        "Großbritannien", "Irland",       "Schweden",    "Norwegen",
        "Finnland",       "Ungarn",       "Slowakei",    "Slowenien",
        "Kroatien",       "Griechenland", "Türkei",      "Rumänien",
        "Bulgarien",      "Litauen",      "Estland",     "USA",
        "Kanada",         "Mexiko",       "Brasilien",   "Japan",
        "China",          "Australien",   "Südafrika",
    });
    std::vector<std::string> places = windows1252({
        "Würzburger",   "Bamberger",    "Kulmbacher",    "Münchner",       "Dortmunder",
        "Kölner",       "Düsseldorfer", "Einbecker",     "Flensburger",    "Rostocker",
        "Görlitzer",    "Zwickauer",    "Fürther",       "Lübecker",       "Nürnberger",
        "Regensburger", "Passauer",     "Füssener",      "Tölzer",         "Günzburger",
        "Mühlheimer",   "Straubinger",  "Schweinfurter", "Höchstädter",    "Kärntner",
        "Grazer",       "Zürcher",      "Eichstätter",   "Gößweinsteiner", "Bayreuther",
    });
    std::vector<std::string> breweries = windows1252({
        "Hofbräu",
        "Bürgerbräu",
        "Löwenbräu",
        "Altbräu",
        "Brauhaus",
        "Schlossbrauerei",
        "Stadtbrauerei",
        "Privatbrauerei",
        "Brauerei",
        "Bräustüberl",
        "Adlerbräu",
        "Hirschbräu",
        "Sternbräu",
        "Ritterbräu",
        "Felsenbräu",
    });
    std::vector<std::string> foreignBreweries = windows1252({
        "Brasserie du Moulin",
        "Brouwerij De Molen",
        "Pivovar Žatec",
        "Browar Zamkowy",
        "Birrificio Alpino",
        "Cervecería del Norte",
        "Bryggeri Nordstjärnan",
        "Panimo Järvi",
        "Sörház Duna",
        "Cervejaria Açores",
        "Old Mill Brewery",
        "Harbour Brewing Co.",
        "Cervecería Río Bravo",
        "Brasserie Saint-Rémy",
        "Pivovara Sava",
        "Ølbryggeriet Fjord",
    });
    std::vector<std::string> monasteries = windows1252({
        "Kloster Andechs",
        "Klosterbräu Ettal",
        "Klosterbrauerei Weltenburg",
        "Kloster Scheyern",
        "Klosterbrauerei Reutberg",
        "Kloster Mallersdorf",
    });
    std::vector<std::string> beers = windows1252({
        "Pils",       "Export",      "Weißbier",    "Hefeweizen", "Märzen",        "Bock",
        "Doppelbock", "Dunkel",      "Hell",        "Radler",     "Kellerbier",    "Zwickl",
        "Landbier",   "Festbier",    "Schwarzbier", "Rauchbier",  "Spezial",       "Urtyp",
        "Maibock",    "Alkoholfrei", "Lager",       "Premium",    "Jubiläumsbier", "Weiße",
    });
    std::vector<std::string> foreignBeers = windows1252({
        "Lager",
        "Pilsner",
        "Blonde",
        "Ambrée",
        "Tripel",
        "Stout",
        "Pale Ale",
        "Bière Blanche",
        "Premium",
        "Export",
        "Light",
        "Special",
        "Cerveza Clara",
    });
    std::vector<std::string> damages = windows1252({
        "Rost am Rand",
        "leicht verbogen",
        "Lack zerkratzt",
        "Dichtung fehlt",
        "Zacke abgebrochen",
        "verblasst",
        "Kratzer auf der Oberseite",
        "Delle in der Mitte",
        "Flecken auf der Innenseite",
        "Öffnerspuren",
        "stark gebogen",
        "Farbe abgeplatzt",
        "Rückseite rostig",
        "geknickt",
    });
};

bool speaksGerman(const std::string& country) {
    return country == "Deutschland" || country == "Schweiz" ||
           country == windows1252FromUtf8("Österreich");
}

int daysIn(int month, int year) {
    constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[static_cast<std::size_t>(month - 1)];
}

struct Set {
    std::int32_t number = 0;
    std::int32_t size = 0;
    std::string country;
    std::string brewery;
    bool german = true;
    int year = 0;
};

std::string breweryFor(Random& random, const Words& words, bool german) {
    if (!german) {
        return pick(random, words.foreignBreweries);
    }
    if (random.oneIn(4)) { // "Altbräu Pils" without a town in front
        return pick(random, words.breweries);
    }
    return pick(random, words.places) + ' ' + pick(random, words.breweries);
}

Set newSet(Random& random, const Words& words, std::int32_t number) {
    Set set;
    set.number = number;
    set.size = random.between(20, 60);
    set.country = pick(random, words.countries);
    set.german = speaksGerman(set.country);
    set.brewery = breweryFor(random, words, set.german);
    set.year = random.between(1975, 2024);
    return set;
}

std::string nameFor(Random& random, const Words& words, const Set& set) {
    if (random.oneIn(100)) {
        return pick(random, words.monasteries) + ' ' + pick(random, words.beers);
    }
    const std::string& beer = pick(random, set.german ? words.beers : words.foreignBeers);
    if (random.oneIn(8)) { // a stray cap of another brewery in the set
        return breweryFor(random, words, set.german) + ' ' + beer;
    }
    return set.brewery + ' ' + beer;
}

std::string dateFor(Random& random, const Set& set) {
    const int year = set.year + random.between(0, 1);
    const int month = random.between(1, 12);
    const int day = random.between(1, daysIn(month, year));
    char text[40]; // room for any int, so the compiler need not warn
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
    return text;
}

std::string damageFor(Random& random, const Words& words) {
    if (!random.oneIn(3)) {
        return {};
    }
    std::string damage = pick(random, words.damages);
    if (random.oneIn(4)) {
        damage += "\r\n";
        damage += pick(random, words.damages);
    }
    return damage;
}

std::string picturePathFor(std::int32_t totalNumber) {
    char path[64];
    std::snprintf(path, sizeof path, "/home/sammler/Bilder/kk/%06d.png", totalNumber);
    return path;
}

} // namespace

void generateCollection(CapCollection& collection, std::int32_t count, std::uint32_t seed) {
    const Words words;
    Random random(seed);
    collection.selectAt(collection.count() - 1); // none when empty: the first goes to the front
    Set set;
    std::int32_t capNumber = 0;
    for (std::int32_t total = 1; total <= count; ++total) {
        if (capNumber == set.size) {
            set = newSet(random, words, set.number + 1);
            capNumber = 0;
        }
        CapRecord& record = collection.insertAfterCurrent();
        record.setNumber = set.number;
        record.capNumber = ++capNumber;
        record.totalNumber = total;
        record.name = nameFor(random, words, set);
        record.country = set.country;
        record.foundDate = dateFor(random, set);
        record.damage = damageFor(random, words);
        record.imagePath = picturePathFor(total);
    }
}

} // namespace dovra::bench
