// Builds invented catalogues from made-up word lists. Artists repeat the way they do on a real shelf
// (a few favourites with many albums, a long tail with one or two), keep their band, label and
// style, and the texts carry the untidiness people type: case variants, leading blanks, odd numbers.
#include "cataloguegenerator.h"

#include "core/model/albumdetails.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

namespace {

using Words = std::span<const std::string_view>;

// splitmix64: tiny, good enough for test data, and the same on every platform.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < n
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32); }
    int between(int low, int high)
    {
        return low + static_cast<int>(below(static_cast<std::uint32_t>(high - low + 1)));
    }
    // True in perMille out of 1000 cases.
    bool chance(int perMille) { return below(1000) < static_cast<std::uint32_t>(perMille); }
    // Exact conversion of 53 random bits, so comparisons against it are the same everywhere.
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    std::string_view pick(Words words) { return words[below(static_cast<std::uint32_t>(words.size()))]; }

private:
    std::uint64_t m_state;
};

struct Weighted
{
    std::string_view text;
    int weight;
};

std::string_view pickWeighted(Random& random, std::span<const Weighted> table)
{
    int total = 0;
    for (const Weighted& w : table)
        total += w.weight;
    int at = static_cast<int>(random.below(static_cast<std::uint32_t>(total)));
    for (const Weighted& w : table) {
        if (at < w.weight)
            return w.text;
        at -= w.weight;
    }
    return table.back().text;
}

constexpr std::string_view kAdjectives[] = {
    "Velvet",  "Copper", "Hollow", "Silver", "Quiet",    "Crimson",  "Electric", "Wandering",
    "Paper",   "Amber",  "Broken", "Golden", "Northern", "Restless", "Painted",  "Lonesome",
    "Distant", "Glass",  "Salt",   "Iron",   "Secret",   "Neon",     "Faded",    "Burning",
    "Gentle",  "Rusty",  "Frozen", "Lucky",  "Sleepy",   "Crooked",  "Drifting", "Marble",
    "Scarlet", "Tin",    "Winter", "Summer", "Borrowed", "Midnight", "Sunday",   "Slow",
};

constexpr std::string_view kNouns[] = {
    "Lantern",   "River",     "Engine",     "Harbour",  "Garden",   "Mirror",  "Window",   "Highway",
    "Compass",   "Orchard",   "Lighthouse", "Kettle",   "Meadow",   "Signal",  "Ballroom", "Carousel",
    "Satellite", "Telegraph", "Canyon",     "Pavilion", "Avenue",   "Tide",    "Ember",    "Feather",
    "Island",    "Valley",    "Railway",    "Comet",    "Thunder",  "Shadow",  "Morning",  "Weather",
    "Cathedral", "Parade",    "Radio",      "Circus",   "Postcard", "Harvest", "Doorway",  "Staircase",
};

constexpr std::string_view kPlurals[] = {
    "Lanterns", "Rivers",   "Engines",   "Sparrows",   "Wolves",    "Foxes",        "Mirrors",    "Pilots",
    "Drifters", "Ramblers", "Strangers", "Tourists",   "Magpies",   "Lamplighters", "Satellites", "Gardeners",
    "Brothers", "Sisters",  "Cousins",   "Neighbours", "Ghosts",    "Hornets",      "Owls",       "Comets",
    "Bandits",  "Sailors",  "Tramps",    "Weavers",    "Shepherds", "Clockmakers",
};

constexpr std::string_view kFirstNames[] = {
    "Marla", "Theo",   "Theodora", "Otis",    "June",   "Rufus", "Delia",    "Hank",    "Ivy",    "Casper",
    "Nell",  "Abe",    "Rosalind", "Vernon",  "Mabel",  "Jonah", "Etta",     "Lionel",  "Greta",  "Silas",
    "Wanda", "Buck",   "Cora",     "Desmond", "Pearl",  "Floyd", "Lottie",   "Ambrose", "Hattie", "Cyril",
    "Maeve", "Emmett", "Birdie",   "Leland",  "Odette", "Ruben", "Winifred", "Clement", "Tilly",  "Augustin",
};

constexpr std::string_view kLastNames[] = {
    "Quince",    "Bracken",   "Hollis",      "Marlowe",    "Penhallow", "Thistle",    "Ashby",
    "Calloway",  "Dunmore",   "Fairweather", "Greaves",    "Holloway",  "Ingram",     "Jessop",
    "Kettering", "Larkspur",  "Mayhew",      "Nettleship", "Oakes",     "Pennington", "Quarry",
    "Rookwood",  "Sallow",    "Tolliver",    "Underhill",  "Vance",     "Whitlock",   "Yardley",
    "Zeller",    "Abernathy", "Birchall",    "Crumley",    "Dovecote",  "Emberly",
};

constexpr std::string_view kSyllables[] = {"vel", "la", "no",  "va", "mor", "ri",
                                           "kan", "do", "sel", "tu", "bra", "zen"};

constexpr std::string_view kEnsembles[] = {"Trio",  "Quartet", "Band", "Orchestra",
                                           "Combo", "Sextet",  "Revue"};

// Windows-1252 holds these: Latin-1 letters and the code page's own Š, Œ, Ž and curly quotes.
constexpr std::string_view kLatinArtists[] = {
    "Björn Ålund",  "Zoë Lindqvist",  "Señora Paloma Ruíz", "Jürgen Fässler",
    "Ægir Þórsson", "Café Ondulé",    "Les Frères Ménard",  "Motörfjell",
    "Åsa Nyström",  "Renée Duchêne",  "Søren Kjærgaard",    "Los Niños del Río",
    "Ingrid Öberg", "Šárka Nováková", "Œdipe Orchestre",    "Žofie Malá",
};

constexpr std::string_view kLatinTitles[] = {
    "Café Nocturne",
    "Señor Sunshine",
    "Über the Moon",
    "Crème Brûlée",
    "Déjà Vu Boulevard",
    "Naïve Heart",
    "Fiancée",
    "Piñata Party",
    "Smörgåsbord",
    "Jalapeño Summer",
    "Après-Midi",
    "Don’t Look Back Now",
    "“Maybe” Tomorrow",
    "Ten € Love Song",
    "Rock ’n’ Roll Ghost",
    "Wait…",
    "Œil de Bœuf",
    "Straße nach Süden",
};

// Outside Windows-1252: these must survive in the file's 2-byte-character form.
constexpr std::string_view kForeignTitles[] = {
    "東京の雨",      "夜明けの歌",  "Θάλασσα",     "Καλοκαίρι στην Αθήνα",
    "Зимняя дорога", "Řeka v mlze", "Starlight 🌟", "🎸 Amplified Heart",
};

constexpr std::string_view kForeignNames[] = {
    "小林 遥斗",
    "Νίκος Θαλασσινός",
    "Ярослава Дымова",
    "Ondřej Kříž",
};

constexpr std::string_view kVerbs[] = {
    "Chasing", "Counting", "Dancing with", "Leaving",     "Waiting for", "Calling",
    "Mending", "Painting", "Following",    "Dreaming of", "Burning",     "Carrying",
};

constexpr std::string_view kPlaces[] = {
    "the Blue Kettle",    "Harbour Hall",       "the Old Granary", "Quarry Lane",           "the Tin Roof",
    "St. Ambrose Church", "the Lamplight Club", "Rookwood Park",   "the Marigold Ballroom", "Salt Street",
};

constexpr Weighted kMusicTypes[] = {
    {"Rock", 14},
    {"rock", 3},
    {"ROCK", 1},
    {"Rock and Roll", 4},
    {"Rock & Roll", 2},
    {"Hard Rock", 4},
    {"Progressive Rock", 2},
    {"Jazz", 10},
    {"jazz", 2},
    {"Blues", 7},
    {"Classical", 8},
    {"Folk", 6},
    {"Pop", 8},
    {"Country", 5},
    {"Soul", 4},
    {"Rhythm and Blues", 3},
    {"Reggae", 2},
    {"Electronic", 3},
    {"Hip Hop", 2},
    {"Gospel", 1},
    {"World", 2},
    {"Soundtrack", 2},
    {"Latin", 1},
    {"Metal", 2},
    {"Punk", 2},
    {"", 2},
};

constexpr Weighted kMediaTypes[] = {
    {"CD", 55},     {"LP", 15},          {"Cassette", 8},  {"MiniDisc", 3}, {"8-Track", 1},
    {"Single", 2},  {"EP", 2},           {"DVD-Audio", 1}, {"SACD", 1},     {"cd", 2},
    {"Digital", 4}, {"Reel-to-Reel", 1}, {"78", 1},        {"", 2},
};

constexpr Weighted kQualities[] = {
    {"Excellent", 20}, {"Very Good", 18}, {"Good", 15},     {"Fair", 6},      {"Poor", 2},
    {"Mint", 8},       {"Near Mint", 6},  {"Scratched", 3}, {"excellent", 2}, {"", 10},
};

struct Label
{
    std::string_view name;
    std::string_view prefix;
};

constexpr Label kLabels[] = {
    {"Harbourlight Records", "HLR"},
    {"Blue Kettle", "BK"},
    {"Tin Roof Music", "TRM"},
    {"Northgate", "NG"},
    {"Quarry Lane Records", "QL"},
    {"Owl & Anchor", "OA"},
    {"Sallow Sound", "SS"},
    {"Paper Moon Recordings", "PMR"},
    {"Greywater", "GW"},
    {"Marigold", "MG"},
    {"Nordgård Musik", "NM"},
    {"Éditions Lumière", "EL"},
    {"Lantern House", "LH"},
    {"Redbrick", "RB"},
    {"Cobalt Street", "CS"},
};

constexpr std::string_view kInstruments[] = {
    "vocals",         "lead vocals", "backing vocals", "guitar",      "electric guitar", "acoustic guitar",
    "bass",           "double bass", "drums",          "percussion",  "piano",           "keyboards",
    "Hammond organ",  "saxophone",   "trumpet",        "trombone",    "violin",          "cello",
    "harmonica",      "banjo",       "mandolin",       "pedal steel", "flute",           "clarinet",
    "vocals, guitar", "accordion",   "vibraphone",
};

constexpr std::string_view kQualifiers[] = {"Blues", "Song", "Waltz", "Lullaby", "Serenade", "Stomp", "Rag"};

constexpr std::string_view kNoteSentences[] = {
    "Recorded live in one take.",
    "Gatefold sleeve, lyric insert.",
    "Bought second-hand at a church fair.",
    "Signed by the drummer.",
    "Remastered; bonus tracks 11–14.",
    "Original pressing.",
    "Sleeve slightly water-damaged.",
    "Disc 2 missing.",
    "Skips on the third song.",
    "Colored vinyl, numbered edition.",
};

struct Artist
{
    std::string name;
    std::string_view musicType;
    int label;
    std::vector<Performer> band;
};

std::string personName(Random& random)
{
    return std::string(random.pick(kFirstNames)) + " " + std::string(random.pick(kLastNames));
}

std::string artistName(Random& random, int foreignPercent)
{
    const std::string adjective(random.pick(kAdjectives));
    const std::string plural(random.pick(kPlurals));
    if (random.chance(foreignPercent * 10))
        return std::string(random.pick(kForeignNames));
    const int form = static_cast<int>(random.below(100));
    if (form < 27)
        return "The " + adjective + " " + plural;
    if (form < 29)
        return "the " + adjective + " " + plural;
    if (form < 30)
        return "THE " + adjective + " " + plural;
    if (form < 55)
        return personName(random);
    if (form < 65) {
        std::string name = personName(random);
        if (random.chance(400))
            return name + " & the " + plural;
        return name + " " + std::string(random.pick(kEnsembles));
    }
    if (form < 80)
        return adjective + " " + std::string(random.pick(kNouns));
    if (form < 86)
        return std::string(random.pick(kLastNames)) + " & " + std::string(random.pick(kLastNames));
    if (form < 92)
        return std::string(random.pick(kLatinArtists));
    std::string coined;
    for (int s = random.between(2, 3); s > 0; --s)
        coined += random.pick(kSyllables);
    coined[0] = static_cast<char>(coined[0] - 'a' + 'A');
    return coined;
}

Artist makeArtist(Random& random, int foreignPercent)
{
    Artist artist;
    artist.name = artistName(random, foreignPercent);
    artist.musicType = pickWeighted(random, kMusicTypes);
    artist.label = static_cast<int>(random.below(std::size(kLabels)));
    const int members = random.between(0, 5);
    for (int m = 0; m < members; ++m)
        artist.band.push_back({personName(random), std::string(random.pick(kInstruments))});
    return artist;
}

std::string albumName(Random& random, const Artist& artist)
{
    const int form = static_cast<int>(random.below(100));
    if (form < 30)
        return std::string(random.pick(kAdjectives)) + " " + std::string(random.pick(kNouns));
    if (form < 42)
        return std::string(random.pick(kNouns)) + " of " + std::string(random.pick(kPlurals));
    if (form < 50)
        return "Songs from the " + std::string(random.pick(kNouns));
    if (form < 56)
        return "Live at " + std::string(random.pick(kPlaces));
    if (form < 64)
        return std::string(random.pick(kNouns));
    if (form < 72)
        return std::string(random.pick(kAdjectives)) + " " + std::string(random.pick(kNouns)) + " Vol. " +
               std::to_string(random.between(1, 4));
    if (form < 78)
        return std::string(random.pick(kLatinTitles));
    if (form < 81)
        return "The Best of " + artist.name;
    if (form < 90)
        return std::string(random.pick(kVerbs)) + " the " + std::string(random.pick(kPlurals));
    return "The " + std::string(random.pick(kNouns)) + " " +
           std::string(random.pick(std::span(kQualifiers).first(3))) + " Sessions";
}

// Titles that real collections hold over and over: the untitled track, the intro, the standards.
constexpr std::string_view kCommonTitles[] = {
    "Intro",
    "Outro",
    "Untitled",
    "Interlude",
    "Hidden Track",
    "Bonus Track",
    "Reprise",
    "Prelude",
    "Summertime",
    "Autumn Leaves",
    "All the Things You Are",
    "Body and Soul",
    "My Funny Valentine",
    "Round Midnight",
    "Stella by Starlight",
    "Over the Rainbow",
    "Silent Night",
    "Amazing Grace",
    "Yesterday",
    "Blue Moon",
    "Danny Boy",
    "Greensleeves",
    "Ave Maria",
    "Happy Birthday",
};

std::string songTitle(Random& random, int commonPercent)
{
    // Drawn only when asked for, so that catalogues without common titles stay as they were.
    if (commonPercent > 0 && static_cast<int>(random.below(100)) < commonPercent)
        return std::string(random.pick(kCommonTitles));
    std::string title;
    const int form = static_cast<int>(random.below(100));
    if (form < 25)
        title = std::string(random.pick(kAdjectives)) + " " + std::string(random.pick(kNouns));
    else if (form < 40)
        title = "The " + std::string(random.pick(kNouns));
    else if (form < 55)
        title = std::string(random.pick(kNouns)) + " " + std::string(random.pick(kQualifiers));
    else if (form < 65)
        title = "Down by the " + std::string(random.pick(kNouns));
    else if (form < 85)
        title = std::string(random.pick(kVerbs)) + " " + std::string(random.pick(kPlurals));
    else if (form < 88)
        title = std::string(random.pick(kLatinTitles));
    else
        title = std::string(random.pick(kFirstNames)) + "'s " + std::string(random.pick(kNouns));
    if (random.chance(30))
        title += random.chance(500) ? " (Reprise)" : " (Live)";
    return title;
}

std::string songTime(Random& random)
{
    if (random.chance(30))
        return {};
    int minutes = random.between(2, 5);
    if (random.chance(100))
        minutes = random.between(6, 9);
    else if (random.chance(20))
        minutes = random.between(10, 24);
    else if (random.chance(20))
        minutes = random.between(0, 1);
    const int seconds = random.between(0, 59);
    return std::to_string(minutes) + ":" + static_cast<char>('0' + seconds / 10) +
           static_cast<char>('0' + seconds % 10);
}

std::string albumNumber(Random& random, int album)
{
    const int kind = static_cast<int>(random.below(1000));
    const std::string plain = std::to_string(album + 1);
    if (kind < 30)
        return {};
    if (kind < 50)
        return " " + plain;
    if (kind < 60)
        return "-" + std::to_string(random.between(1, 20));
    if (kind < 70)
        return std::string(1, static_cast<char>('A' + random.below(6))) +
               std::to_string(random.between(1, 99));
    return plain;
}

std::string catalogNumber(Random& random, const Label& label)
{
    const int kind = static_cast<int>(random.below(100));
    if (kind < 5)
        return {};
    const std::string digits = std::to_string(random.between(100, 99999));
    if (kind < 60)
        return std::string(label.prefix) + "-" + digits;
    if (kind < 85)
        return std::string(label.prefix) + " " + digits;
    return digits + "-" + std::to_string(random.between(1, 4));
}

std::string notes(Random& random)
{
    if (!random.chance(300))
        return {};
    // Stepping by a stride prime to the list's length never picks a sentence twice.
    constexpr std::size_t kSentences = std::size(kNoteSentences);
    static_assert(kSentences % 3 != 0);
    std::size_t sentence = random.below(kSentences);
    std::string text(kNoteSentences[sentence]);
    const int more = random.between(0, 3);
    for (int s = 0; s < more; ++s) {
        // Half of the longer notes are typed as separate lines.
        text += random.chance(500) ? "\r\n" : " ";
        sentence = (sentence + 3) % kSentences;
        if (random.chance(150))
            text += "Lent to " + std::string(random.pick(kFirstNames)) + " in " +
                    std::to_string(random.between(1975, 2023)) + ".";
        else
            text += kNoteSentences[sentence];
    }
    if (random.chance(50))
        text += "\r\n\r\nLiner notes by " + personName(random) + ".";
    return text;
}

// Between 0 and slots, with the given mean: a few empty and a few full, the rest binomial.
int slotCount(Random& random, int slots, double mean)
{
    if (mean <= 0)
        return 0;
    if (mean >= slots)
        return slots;
    constexpr double kEmpty = 0.03;
    constexpr double kFull = 0.02;
    double p = (mean - kFull * slots) / ((1 - kEmpty - kFull) * slots);
    const double u = random.unit();
    if (p >= 0 && p <= 1) {
        if (u < kEmpty)
            return 0;
        if (u < kEmpty + kFull)
            return slots;
    } else {
        p = mean / slots;
    }
    int count = 0;
    for (int i = 0; i < slots; ++i)
        count += random.unit() < p ? 1 : 0;
    return count;
}

std::string twoDigits(int n)
{
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

// The artist of the next album: three in ten come from a small set of favourites.
const Artist& pickArtist(Random& random, const std::vector<Artist>& artists)
{
    const auto pool = static_cast<std::uint32_t>(artists.size());
    if (random.chance(300)) {
        const std::uint32_t favourites = std::min<std::uint32_t>(pool, pool / 50 + 3);
        return artists[std::min(random.below(favourites), random.below(favourites))];
    }
    return artists[random.below(pool)];
}

std::string typedArtist(Random& random, const std::string& name)
{
    // People do not always type a name the same way.
    if (name.starts_with("The ") && random.chance(15))
        return (random.chance(500) ? "the " : "THE ") + name.substr(4);
    if (random.chance(3))
        return " " + name;
    return name;
}

constexpr Weighted kStatuses[] = {{"", 880}, {"Wanted", 60}, {"Ordered", 20}, {"Sold", 40}};

// Graded copies are mostly in good shape; a few grades are typed in small letters.
constexpr Weighted kGrades[] = {{"M", 4}, {"NM", 20}, {"VG+", 25}, {"VG", 20}, {"G+", 8},
                                {"G", 6}, {"F", 2},   {"P", 1},    {"vg+", 1}};

constexpr Weighted kCurrencies[] = {{"EUR", 50}, {"USD", 30}, {"GBP", 14}, {"eur", 1}, {"", 5}};

std::string dateIn(Random& random, int fromYear, int toYear)
{
    return std::to_string(random.between(fromYear, toYear)) + "-" + twoDigits(random.between(1, 12)) + "-" +
           twoDigits(random.between(1, 28));
}

// A price as people type it: "12.99", now and then "12,50" or a whole "8".
std::string price(Random& random, int low, int high)
{
    const int whole = random.between(low, high);
    if (random.chance(100))
        return std::to_string(whole);
    const std::string cents = twoDigits(random.chance(500) ? 99 : random.between(0, 99));
    return std::to_string(whole) + (random.chance(50) ? "," : ".") + cents;
}

// One album's collection details, from their own stream of numbers.
void fillDetails(Random& random, AlbumRecord& record)
{
    record.details = {};
    const auto set = [&](Field f, std::string text) { record.text(f) = std::move(text); };
    set(Field::Status, std::string(pickWeighted(random, kStatuses)));
    if (random.chance(850)) {
        // Most collections lean towards the decades their owner grew up in.
        const int year = random.chance(600) ? random.between(1962, 1995) : random.between(1950, 2023);
        set(Field::Year, std::to_string(year));
    }
    if (random.chance(600))
        set(Field::MediaCondition, std::string(pickWeighted(random, kGrades)));
    if (random.chance(450))
        set(Field::SleeveCondition, std::string(pickWeighted(random, kGrades)));
    if (random.chance(400))
        set(Field::Rating, std::to_string(random.between(1, 5)));
    if (random.chance(300))
        set(Field::Location, "Shelf " + std::string(1, static_cast<char>('A' + random.below(6))));
    const bool priced = random.chance(450);
    const bool valued = random.chance(250);
    if (priced)
        set(Field::PurchasePrice, price(random, 1, 40));
    if (valued)
        set(Field::CurrentValue, price(random, 2, 120));
    if (priced || valued)
        set(Field::Currency, std::string(pickWeighted(random, kCurrencies)));
    if (random.chance(40)) {
        // One to three loans; the last is still out two times in three, due back in the past
        // (overdue), in the far future or on no set date.
        std::vector<Loan> loans;
        const int count = random.between(1, 3);
        for (int k = 0; k < count; ++k) {
            const int year = 2015 + 2 * k;
            Loan loan{personName(random), dateIn(random, year, year), dateIn(random, year + 1, year + 1),
                      dateIn(random, year + 1, year + 1)};
            if (k == count - 1 && random.chance(667)) {
                loan.returned.clear();
                const int due = static_cast<int>(random.below(3));
                loan.due = due == 0 ? dateIn(random, 2019, 2022) : due == 1 ? "2099-12-31" : "";
            }
            loans.push_back(std::move(loan));
        }
        set(Field::Loans, storedLoans(loans));
    }
}

} // namespace

AlbumStore generateCatalogue(int albums, std::uint32_t seed, const GeneratorOptions& options)
{
    Random random(0xD15C0 ^ (static_cast<std::uint64_t>(seed) << 20));
    const int foreign = std::clamp(options.foreignTextPercent, 0, 100);

    std::vector<Artist> artists;
    const int artistCount = std::max(3, albums / 3);
    artists.reserve(static_cast<std::size_t>(artistCount));
    for (int a = 0; a < artistCount; ++a)
        artists.push_back(makeArtist(random, foreign));

    std::vector<std::string> producers;
    const int producerCount = std::max(4, albums / 20);
    for (int p = 0; p < producerCount; ++p)
        producers.push_back(personName(random));
    const auto pickProducer = [&]() -> std::string {
        if (random.chance(20))
            return " " + producers[random.below(static_cast<std::uint32_t>(producers.size()))];
        return producers[std::min(random.below(static_cast<std::uint32_t>(producers.size())),
                                  random.below(static_cast<std::uint32_t>(producers.size())))];
    };

    // The details' own stream, so that asking for them leaves the lists as they are.
    Random detailsRandom(0xDE7A115 ^ (static_cast<std::uint64_t>(seed) << 20));
    AlbumStore store;
    AlbumRecord record;
    for (int i = 0; i < std::max(albums, 0); ++i) {
        const Artist& artist = pickArtist(random, artists);
        const Label& label = kLabels[random.chance(700) ? artist.label : random.below(std::size(kLabels))];
        record.artist = typedArtist(random, artist.name);
        record.albumName = albumName(random, artist);
        record.musicType = random.chance(800) ? std::string(artist.musicType)
                                              : std::string(pickWeighted(random, kMusicTypes));
        record.mediaType = pickWeighted(random, kMediaTypes);
        record.number = albumNumber(random, i);
        record.producer1 = random.chance(120) ? std::string() : pickProducer();
        record.producer2 = random.chance(700) ? std::string() : pickProducer();
        record.label = random.chance(30) ? std::string() : std::string(label.name);
        record.catalogNumber = catalogNumber(random, label);
        record.quality = pickWeighted(random, kQualities);
        record.custom1 = random.chance(700) ? std::to_string(random.between(1952, 2023)) : std::string();
        record.custom2 = random.chance(400)
                             ? "Shelf " + std::string(1, static_cast<char>('A' + random.below(8))) +
                                   std::to_string(random.between(1, 12))
                             : std::string();

        const int songs = slotCount(random, kSongSlots, options.averageSongs);
        for (int s = 0; s < kSongSlots; ++s) {
            Song& song = record.songs[s];
            if (s < songs) {
                song = {songTitle(random, options.commonTitlePercent), songTime(random), twoDigits(s + 1)};
            } else {
                song = {};
            }
        }

        const int performers = slotCount(random, kPerformerSlots, options.averagePerformers);
        for (int p = 0; p < kPerformerSlots; ++p) {
            Performer& performer = record.performers[p];
            if (p >= performers) {
                performer = {};
            } else if (p < static_cast<int>(artist.band.size())) {
                performer = artist.band[p];
            } else {
                performer = {personName(random),
                             random.chance(50) ? std::string() : std::string(random.pick(kInstruments))};
            }
        }
        record.notes = notes(random);

        if (random.chance(foreign * 10)) {
            const std::string text(random.pick(kForeignTitles));
            switch (random.below(3)) {
            case 0: record.albumName = text; break;
            case 1:
                if (songs > 0) {
                    record.songs[random.below(static_cast<std::uint32_t>(songs))].title = text;
                    break;
                }
                [[fallthrough]];
            default:
                record.notes += (record.notes.empty() ? "" : "\r\n") + ("Also issued as “" + text + "”.");
                break;
            }
        }
        if (options.collectionDetails)
            fillDetails(detailsRandom, record);
        store.appendAlbum(record);
    }
    store.shrinkToFit();
    return store;
}

} // namespace discora
