#include "authoring/CatalogueGenerator.h"

#include "ringtones/melody/Melody.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace brivello::authoring {

namespace {

using melody::Melody;
using melody::Note;

// A small, fast generator whose output is the same on every platform (the
// standard distributions are not).
class Random
{
public:
    Random(uint64_t seed, uint64_t stream) : m_state(mix(seed ^ mix(stream + 0x9E3779B97F4A7C15ull))) {}

    uint64_t next()
    {
        m_state += 0x9E3779B97F4A7C15ull;
        return mix(m_state);
    }
    int below(int n) { return int(next() % uint64_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List> const auto &pick(const List &list)
    {
        return list[size_t(below(int(std::size(list))))];
    }

private:
    static uint64_t mix(uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint64_t m_state;
};

constexpr uint64_t ToolsStream = ~uint64_t(0);

const std::array TitleWords = {
    u"amore",  u"cuore",   u"notte",  u"sole",    u"mare",    u"estate",    u"città",   u"perché",
    u"sempre", u"domani",  u"stella", u"luna",    u"vento",   u"strada",    u"canzone", u"bella",
    u"vita",   u"tempo",   u"sogno",  u"sera",    u"cielo",   u"felicità",  u"libertà", u"ragazza",
    u"fuoco",  u"parole",  u"musica", u"giorni",  u"viaggio", u"primavera", u"lontano", u"insieme",
    u"ancora", u"più",     u"così",   u"nessuno", u"tu",      u"io",        u"noi",     u"blu",
    u"dolce",  u"piccola", u"grande", u"ultima",  u"prima",   u"nuova",     u"vecchio", u"azzurro",
};
const std::array TitleStarts = {u"", u"", u"", u"L'", u"Un'", u"Il ", u"La ", u"Per ", u"Senza ", u"Dell'"};
const std::array FirstNames = {
    u"Lucio",  u"Mina",      u"Adriano", u"Gianni",  u"Laura",     u"Eros",     u"Fiorella", u"Claudio",
    u"Vasco",  u"Antonella", u"Pino",    u"Nicola",  u"Raffaella", u"Zucchero", u"Gino",     u"Loredana",
    u"Franco", u"Ornella",   u"Luca",    u"Giorgia", u"Max",       u"Irene",    u"Renato",   u"Patty",
};
const std::array Surnames = {
    u"Battisti", u"Morandi",  u"Celentano", u"Ramazzotti", u"Pausini", u"Mannoia",
    u"Baglioni", u"Rossi",    u"Daniele",   u"Di Bari",    u"Carrà",   u"Paoli",
    u"Bertè",    u"Battiato", u"Vanoni",    u"D'Alessio",  u"Zero",    u"Pezzali",
    u"Grandi",   u"Nannini",  u"Ferro",     u"Fornaciari", u"Dalla",   u"De Gregori",
};
const std::array Bands = {u"I Pooh",         u"Gli Stadio",     u"I Nomadi",
                          u"Le Vibrazioni",  u"I Camaleonti",   u"Matia Bazar",
                          u"Gli 883",        u"I Dik Dik",      u"Orchestra Italiana",
                          u"Coro dell'Alpe", u"Banda di Paese", u"Quartetto Cetra"};
const std::array GenreNames = {u"Pop",         u"Rock",       u"Dance",          u"Classica", u"Jazz",
                               u"Blues",       u"Latino",     u"Colonne sonore", u"Sigle TV", u"Bambini",
                               u"Inni",        u"Rap",        u"Lirica",         u"Folk",     u"Reggae",
                               u"Elettronica", u"Cantautori", u"Natale",         u"Marce",    u"Liscio"};
const std::array Durations = {1, 2, 4, 4, 4, 8, 8, 8, 8, 16, 16, 32};
const std::array Tempos = {63, 70, 80, 90, 100, 100, 112, 120, 125, 125, 140, 160, 180, 200, 225};

const std::array SearchMethods = {u"Artista", u"Titolo",           u"Titolo + Artista",
                                  u"Genere",  u"Artista + Genere", u"Titolo + Genere"};
const std::array Categories = {u"Amore", u"Persone", u"Animali", u"Testi", u"Viaggi & Vacanze"};

const std::array ToolNames = {
    u"Musicbox",     u"Suoneria Facile",    u"Logo Express",    u"SMS Centro",     u"Compositore",
    u"Nota Veloce",  u"Melodia Pro",        u"Tastiera Magica", u"Loghi e Icone",  u"Rubrica Plus",
    u"Sincro Dati",  u"Convertitore RTTTL", u"Editor Loghi",    u"Modem Amico",    u"Squillo",
    u"Vibra Test",   u"Suoni Italiani",     u"Archivio Toni",   u"Cavo Facile",    u"Infrarossi Link",
    u"Mini Studio",  u"Gestione SMS",       u"Nokia Kit",       u"Siemens Kit",    u"Ericsson Kit",
    u"Motorola Kit", u"Scherma Loghi",      u"Toni di Festa",   u"Backup Rubrica", u"Orologio Tono",
    u"Ultima Nota",
};
const std::array Phones = {u"Nokia 3210, 3310, 3330", u"Nokia 5110, 6110", u"Siemens C35, S35",
                           u"Ericsson T20, T28",      u"Motorola V50",     u"Tutti i telefoni"};
const std::array ToolKinds = {u"Editor di suonerie", u"Editor di loghi", u"Gestione SMS", u"Convertitore",
                              u"Utilità"};
const std::array Media = {u"CD-ROM", u"Cavo dati", u"Infrarossi", u"SMS"};
const std::array Sentences = {
    u"Permette di comporre le suonerie direttamente sul computer e di ascoltarle prima di inviarle.",
    u"Funziona con il cavo dati o con la porta a infrarossi del telefono.",
    u"L'installazione copia i file nella cartella scelta; non modifica le impostazioni del sistema.",
    u"Perché la suoneria arrivi intatta, il telefono deve essere acceso e con la batteria carica.",
    u"Contiene una raccolta di loghi degli operatori già pronti per l'invio.",
    u"La versione dimostrativa è completa ma mostra un avviso all'avvio.",
    u"È compatibile con Windows 95, 98, ME, NT 4.0 e 2000.",
    u"Per le istruzioni complete si veda il file LEGGIMI nella cartella del programma.",
};

QString capitalized(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString title(Random &random)
{
    QString text = QString::fromUtf16(random.pick(TitleStarts));
    const int words = random.between(1, 5);
    for (int i = 0; i < words; ++i) {
        if (i > 0 || (!text.isEmpty() && !text.endsWith(u'\'')))
            text += u' ';
        text += QString::fromUtf16(random.pick(TitleWords));
    }
    return capitalized(text.simplified());
}

QString artist(Random &random)
{
    if (random.chance(20))
        return QString::fromUtf16(random.pick(Bands));
    return QString::fromUtf16(random.pick(FirstNames)) + u' ' + QString::fromUtf16(random.pick(Surnames));
}

QString genre(Random &random)
{
    QStringList names;
    const int count = random.chance(70) ? 1 : random.between(2, 3);
    while (names.size() < count) {
        const QString name = QString::fromUtf16(random.pick(GenreNames));
        if (!names.contains(name))
            names.append(name);
    }
    return names.join(u'/');
}

// An RTTTL name: letters of the title, at most ten.
QString melodyName(const QString &songTitle)
{
    QString name;
    for (const QChar c : songTitle) {
        if (c.isLetter() && c.unicode() < 0x80 && name.size() < 10)
            name += c;
    }
    return name.isEmpty() ? u"Melodia"_s : name;
}

Melody melodyFor(Random &random, const QString &songTitle)
{
    Melody melody;
    melody.name = melodyName(songTitle);
    melody.defaultDuration = random.pick(std::array{4, 8, 8, 16});
    melody.defaultOctave = random.between(5, 6);
    melody.bpm = random.pick(Tempos);
    const int count = random.chance(10) ? random.between(60, 120) : random.between(12, 50);
    // A tune moves mostly by small steps around its own octave.
    int step = random.below(12) + 12 * (melody.defaultOctave - 4);
    for (int i = 0; i < count; ++i) {
        Note note;
        note.duration = random.chance(60) ? melody.defaultDuration : random.pick(Durations);
        note.dotted = random.chance(8);
        step = std::clamp(step + random.between(-4, 4), 0, 4 * 12 - 1);
        note.pitch = random.chance(10) ? -1 : step % 12;
        note.octave = note.isPause() ? melody.defaultOctave : 4 + step / 12;
        melody.notes.push_back(note);
    }
    return melody;
}

QString description(Random &random)
{
    QStringList sentences;
    const int count = random.between(1, 12);
    for (int i = 0; i < count; ++i)
        sentences.append(QString::fromUtf16(random.pick(Sentences)));
    return sentences.join(u' ');
}

TableData singleColumn(const QString &name, const QStringList &values)
{
    TableData table = findCatalogueTable(name)->empty();
    for (const QString &value : values)
        table.rows.push_back({value});
    return table;
}

template <typename List> QStringList texts(const List &list)
{
    QStringList result;
    for (const char16_t *text : list)
        result.append(QString::fromUtf16(text));
    return result;
}

TableData tools(uint64_t seed)
{
    Random random(seed, ToolsStream);
    TableData table = findCatalogueTable(catalogue::Tools)->empty();
    const int count = random.between(20, int(ToolNames.size()));
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf16(ToolNames[size_t(i)]);
        const bool copyInstall = random.chance(60);
        QString program = name.toLower().remove(u' ') + u".exe"_s;
        table.rows.push_back({name, QString::number(i + 1), QString::fromUtf16(random.pick(Phones)),
                              QString::fromUtf16(random.pick(ToolKinds)),
                              QString::fromUtf16(random.pick(Media)), description(random),
                              copyInstall ? u"K"_s : u"S"_s, name, program});
    }
    return table;
}

} // namespace

CatalogueGenerator::CatalogueGenerator(const GeneratorOptions &options) : m_options(options) {}

QStringList CatalogueGenerator::genres()
{
    return texts(GenreNames);
}

Row CatalogueGenerator::ringtone(qint64 index) const
{
    Random random(m_options.seed, uint64_t(index));
    const QString song = title(random);
    const QString by = artist(random);
    const QString genreList = genre(random);
    const Melody tune = melodyFor(random, song);
    return {song,
            by,
            genreList,
            u"s%1"_s.arg(index + 1, 7, 10, QLatin1Char('0')),
            melody::nokiaKeypad(tune),
            melody::nokiaScreen(tune),
            melody::siemensScreen(tune),
            melody::ericssonScreen(tune),
            melody::motorolaScreen(tune),
            QString::number(melody::noteCount(tune)),
            QString::number(tune.bpm),
            melody::writeRtttl(tune)};
}

std::vector<TableData> CatalogueGenerator::smallTables() const
{
    return {singleColumn(catalogue::Genres, genres()),
            singleColumn(catalogue::Zoekmethodes, texts(SearchMethods)),
            singleColumn(catalogue::Rubrieken, texts(Categories)), tools(m_options.seed)};
}

std::vector<TableSource> CatalogueGenerator::sources(const std::vector<TableData> &small) const
{
    auto next = std::make_shared<qint64>(0);
    const TableSchema &main = *findCatalogueTable(catalogue::Main);
    std::vector<TableSource> result{{main.name, main.columns, [this, next](Row &row) {
                                         if (*next >= m_options.ringtones)
                                             return false;
                                         row = ringtone((*next)++);
                                         return true;
                                     }}};
    for (const TableData &table : small)
        result.push_back(sourceOf(table));
    return result;
}

bool writeGeneratedCatalogue(const QString &path, const GeneratorOptions &options, QString *error)
{
    const CatalogueGenerator generator(options);
    const std::vector<TableData> small = generator.smallTables();
    return writeJet4(path, generator.sources(small), WriteOptions{}, error);
}

} // namespace brivello::authoring
