// The picture files of the logo tools: the bytes of each phone format, what
// fits where, reading every format back, all-or-nothing saves, and the
// operator list from libGammu's tables.

#include "logos/pictures/LogoCatalogue.h"
#include "tests/logotools/LogoToolsTestSupport.h"
#include "tools/logotools/gammu/GammuBitmap.h"
#include "tools/logotools/picture/MonoPicture.h"
#include "tools/logotools/picture/OperatorList.h"
#include "tools/logotools/picture/PictureFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <csignal>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::logotools;
using test::fileContents;
using test::pixelDifference;

namespace {

const Network Tim{u"222"_s, u"01"_s, u"TIM"_s, u"Italy"_s};

LogoDocument documentOf(LogoKind kind, const QImage &picture, const Network &network = {})
{
    LogoDocument document;
    document.kind = kind;
    document.picture = picture;
    document.network = network;
    return document;
}

QImage galleryLogo(int number = 7)
{
    return logos::logoImage(logos::Category::Amore, number);
}

// A 72 x 28 picture: a gallery logo above its inverse.
QImage picture72x28()
{
    PixelBitmap top = toBitmap(galleryLogo(3));
    PixelBitmap bitmap(72, 28);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 72; ++x) {
            bitmap.setInk(x, y, top.isInk(x, y));
            bitmap.setInk(x, y + 14, !top.isInk(x, y));
        }
    }
    return toPicture(bitmap);
}

// Writes beyond `bytes` fail as on a full disk while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_before{};
    void (*m_handler)(int) = nullptr;
};

} // namespace

class TestLogoFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsFitTheirKinds();
    void overTheAirBitmapBytes();
    void wbmpBytesWithWhiteAsOne();
    void nokiaFilesCarryTheirHeaders();
    void everyFormatReadsBackWhatWasSaved_data();
    void everyFormatReadsBackWhatWasSaved();
    void otherPicturesAreReadForReduction();
    void unreadableFilesAreTold();
    void encodingRefusesWhatDoesNotFit();
    void gammuBitmapAdapterKeepsEveryPoint();
    void saveReplacesAnExistingFileWhole();
    // Mended fault: a write that fails at the last flush (a full disk) must
    // not be committed as a success.
    void saveOnAFullDiskFailsAndKeepsTheOldFile();
    void saveIntoAMissingFolderFails();
    void operatorListPutsItalyFirstAndFinds();

private:
    QTemporaryDir m_folder;
};

void TestLogoFiles::formatsFitTheirKinds()
{
    QCOMPARE(pictureFormats().size(), 6);
    QVERIFY(formatFits(PictureFormat::OperatorLogo, LogoKind::OperatorLogo));
    QVERIFY(!formatFits(PictureFormat::OperatorLogo, LogoKind::GroupGraphic));
    QVERIFY(!formatFits(PictureFormat::OperatorLogo, LogoKind::PictureMessage));
    QVERIFY(formatFits(PictureFormat::GroupGraphic, LogoKind::OperatorLogo));
    QVERIFY(formatFits(PictureFormat::GroupGraphic, LogoKind::GroupGraphic));
    QVERIFY(!formatFits(PictureFormat::GroupGraphic, LogoKind::PictureMessage));
    for (PictureFormat format :
         {PictureFormat::Bmp, PictureFormat::LogoManager, PictureFormat::OverTheAir, PictureFormat::Wbmp}) {
        for (LogoKind kind : {LogoKind::OperatorLogo, LogoKind::GroupGraphic, LogoKind::PictureMessage})
            QVERIFY(formatFits(format, kind));
    }
    QCOMPARE(formatOfPath(u"/a/b.c/LOGO.NOL"_s), PictureFormat::OperatorLogo);
    QCOMPARE(formatOfPath(u"x.wbmp"_s), PictureFormat::Wbmp);
    QCOMPARE(formatOfPath(u"x.png"_s), std::nullopt);
    QCOMPARE(dialogFilter(PictureFormat::OverTheAir), u"Bitmap Over-The-Air (*.otb)"_s);
}

void TestLogoFiles::overTheAirBitmapBytes()
{
    const QImage logo = galleryLogo();
    const QByteArray bytes = encodeOverTheAir(logo);
    // Header, then 72 x 14 bits in 126 bytes.
    QCOMPARE(bytes.size(), 4 + 126);
    QCOMPARE(bytes.left(4), QByteArray("\x00\x48\x0e\x01", 4));
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 72; ++x) {
            const int bit = y * 72 + x;
            const bool set = quint8(bytes.at(4 + bit / 8)) & (0x80 >> (bit % 8));
            QCOMPARE(set, gammubitmap::isInk(logo, x, y));
        }
    }
    QCOMPARE(pixelDifference(logo, decodeOverTheAir(bytes)), QString());
    // A width that is no multiple of eight runs on without padding rows.
    QImage odd = gammubitmap::blankPicture(3, 3);
    odd.setPixel(0, 1, 1);
    QCOMPARE(encodeOverTheAir(odd), QByteArray("\x00\x03\x03\x01\x10\x00", 6));
    QCOMPARE(pixelDifference(odd, decodeOverTheAir(encodeOverTheAir(odd))), QString());
    QVERIFY(decodeOverTheAir(bytes.left(60)).isNull());
    QVERIFY(decodeOverTheAir(QByteArray("\x00\x48\x0e\x02", 4) + bytes.mid(4)).isNull());
}

void TestLogoFiles::wbmpBytesWithWhiteAsOne()
{
    const QImage logo = galleryLogo();
    const QByteArray bytes = encodeWbmp(logo);
    QCOMPARE(bytes.size(), 4 + 9 * 14);
    QCOMPARE(bytes.left(4), QByteArray("\x00\x00\x48\x0e", 4));
    // White is 1 in a WBMP: the first byte of the first row is all 1 where
    // the logo is paper.
    quint8 first = 0;
    for (int x = 0; x < 8; ++x)
        first |= gammubitmap::isInk(logo, x, 0) ? 0 : (0x80 >> x);
    QCOMPARE(quint8(bytes.at(4)), first);
    QCOMPARE(pixelDifference(logo, decodeWbmp(bytes)), QString());
    // Sizes of 128 or more take two bytes; rows are padded to whole bytes.
    QImage wide = gammubitmap::blankPicture(200, 2);
    wide.setPixel(199, 1, 1);
    const QByteArray wideBytes = encodeWbmp(wide);
    QCOMPARE(wideBytes.left(5), QByteArray("\x00\x00\x81\x48\x02", 5));
    QCOMPARE(wideBytes.size(), 5 + 25 * 2);
    QCOMPARE(quint8(wideBytes.back()), quint8(0xfe));
    QCOMPARE(pixelDifference(wide, decodeWbmp(wideBytes)), QString());
    QVERIFY(decodeWbmp(QByteArray("\x01\x00\x48\x0e", 4) + bytes.mid(4)).isNull());
    QVERIFY(decodeWbmp(bytes.left(20)).isNull());
}

void TestLogoFiles::nokiaFilesCarryTheirHeaders()
{
    const QImage logo = galleryLogo();
    QByteArray nol;
    QString error;
    QVERIFY2(encodePicture(PictureFormat::OperatorLogo, documentOf(LogoKind::OperatorLogo, logo, Tim), &nol,
                           &error),
             qPrintable(error));
    // "NOL", MCC 222 and MNC 1 little-endian, 72 x 14, then a character per pixel.
    QCOMPARE(nol.left(20),
             QByteArray("NOL\x00\x01\x00\xde\x00\x01\x00\x48\x00\x0e\x00\x01\x00\x01\x00\x00\x00", 20));
    QCOMPARE(nol.size(), 20 + 72 * 14);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 72; ++x)
            QCOMPARE(nol.at(20 + y * 72 + x), gammubitmap::isInk(logo, x, y) ? '1' : '0');
    }

    QByteArray ngg;
    QVERIFY(
        encodePicture(PictureFormat::GroupGraphic, documentOf(LogoKind::GroupGraphic, logo), &ngg, &error));
    QCOMPARE(ngg.left(16), QByteArray("NGG\x00\x01\x00\x48\x00\x0e\x00\x01\x00\x01\x00\x00\x00", 16));
    QCOMPARE(ngg.mid(16), nol.mid(20));

    // The Logo Manager file records the kind: 0 operator, 1 group, 3 picture.
    const QList<std::pair<LogoKind, char>> kinds = {
        {LogoKind::OperatorLogo, 0}, {LogoKind::GroupGraphic, 1}, {LogoKind::PictureMessage, 3}};
    for (const auto &[kind, code] : kinds) {
        const QImage picture = kind == LogoKind::PictureMessage ? picture72x28() : logo;
        QByteArray nlm;
        QVERIFY(encodePicture(PictureFormat::LogoManager, documentOf(kind, picture, Tim), &nlm, &error));
        QCOMPARE(nlm.left(4), QByteArray("NLM "));
        QCOMPARE(nlm.at(5), code);
        QCOMPARE(quint8(nlm.at(7)), quint8(72));
        QCOMPARE(quint8(nlm.at(8)), quint8(picture.height()));
        QCOMPARE(nlm.size(), 10 + 9 * picture.height());
    }
}

void TestLogoFiles::everyFormatReadsBackWhatWasSaved_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("kind");
    for (const FormatInfo &info : pictureFormats()) {
        for (LogoKind kind : {LogoKind::OperatorLogo, LogoKind::GroupGraphic, LogoKind::PictureMessage}) {
            if (formatFits(info.format, kind))
                QTest::addRow("%s kind %d", qPrintable(info.extension), int(kind))
                    << int(info.format) << int(kind);
        }
    }
}

void TestLogoFiles::everyFormatReadsBackWhatWasSaved()
{
    QFETCH(int, format);
    QFETCH(int, kind);
    const auto pictureFormat = PictureFormat(format);
    const auto logoKind = LogoKind(kind);
    const QImage picture = logoKind == LogoKind::PictureMessage ? picture72x28() : galleryLogo(21);
    const QString path =
        m_folder.filePath(u"back %1.%2"_s.arg(kind).arg(formatInfo(pictureFormat).extension));
    QString error;
    QVERIFY2(savePicture(path, pictureFormat, documentOf(logoKind, picture, Tim), &error), qPrintable(error));
    OpenedPicture opened;
    QVERIFY2(readPictureFile(path, &opened, &error), qPrintable(error));
    QCOMPARE(pixelDifference(picture, opened.picture), QString());
    QVERIFY(opened.oneBit);
    if (pictureFormat == PictureFormat::OperatorLogo) {
        QCOMPARE(opened.kind, LogoKind::OperatorLogo);
        QCOMPARE(opened.networkCode, u"222 01"_s);
    } else {
        QVERIFY(opened.networkCode.isEmpty());
    }
    if (pictureFormat == PictureFormat::LogoManager)
        QCOMPARE(opened.kind, logoKind);
    QVERIFY(QDir(m_folder.path()).entryList({u"*.tmp"_s, u"*~"_s}).isEmpty());
}

void TestLogoFiles::otherPicturesAreReadForReduction()
{
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(qRgb(90, 140, 200));
    const QString png = m_folder.filePath(u"photo.png"_s);
    const QString jpeg = m_folder.filePath(u"photo.jpg"_s);
    QVERIFY(photo.save(png));
    QVERIFY(photo.save(jpeg));
    for (const QString &path : {png, jpeg}) {
        OpenedPicture opened;
        QString error;
        QVERIFY2(readPictureFile(path, &opened, &error), qPrintable(error));
        QCOMPARE(opened.picture.size(), QSize(40, 30));
        QVERIFY(!opened.oneBit);
        QVERIFY(!opened.kind);
    }
    // The gallery's export is black and white already: taken as it is.
    const QString exported = m_folder.filePath(u"EXPORT.BMP"_s);
    QVERIFY(galleryLogo().save(exported, "BMP"));
    OpenedPicture opened;
    QString error;
    QVERIFY(readPictureFile(exported, &opened, &error));
    QVERIFY(opened.oneBit);
    QCOMPARE(pixelDifference(galleryLogo(), opened.picture), QString());
}

void TestLogoFiles::unreadableFilesAreTold()
{
    const QString text = m_folder.filePath(u"note.txt"_s);
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture\n");
    file.close();
    OpenedPicture opened;
    QString error;
    QVERIFY(!readPictureFile(text, &opened, &error));
    QCOMPARE(error, u"Il file %1 non contiene un'immagine che il programma sappia leggere."_s.arg(text));
    const QString otb = m_folder.filePath(u"short.otb"_s);
    QVERIFY(file.rename(otb));
    QVERIFY(!readPictureFile(otb, &opened, &error));
    const QString nol = m_folder.filePath(u"cut.nol"_s);
    QFile cut(nol);
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write("NOL\x00\x01\x00\xde\x00", 8);
    cut.close();
    QVERIFY(!readPictureFile(nol, &opened, &error));
    const QString missing = m_folder.filePath(u"nowhere.bmp"_s);
    QVERIFY(!readPictureFile(missing, &opened, &error));
    QVERIFY2(error.startsWith(u"Il file %1 non si può leggere"_s.arg(missing)), qPrintable(error));
}

void TestLogoFiles::encodingRefusesWhatDoesNotFit()
{
    QByteArray bytes;
    QString error;
    QVERIFY(!encodePicture(PictureFormat::OperatorLogo, documentOf(LogoKind::OperatorLogo, galleryLogo()),
                           &bytes, &error));
    QCOMPARE(error, u"Per il formato Logo operatore Nokia scegliere prima la rete."_s);
    QVERIFY(!encodePicture(PictureFormat::GroupGraphic, documentOf(LogoKind::PictureMessage, picture72x28()),
                           &bytes, &error));
    QCOMPARE(error, u"Il formato Logo di gruppo Nokia non è adatto a questa immagine."_s);
    // A picture that is not the kind's size.
    QVERIFY(!encodePicture(PictureFormat::Bmp, documentOf(LogoKind::GroupGraphic, picture72x28()), &bytes,
                           &error));
    QVERIFY(!encodePicture(PictureFormat::Bmp, documentOf(LogoKind::GroupGraphic, QImage()), &bytes, &error));
    QCOMPARE(error, u"Non c'è nessuna immagine da salvare."_s);
}

void TestLogoFiles::gammuBitmapAdapterKeepsEveryPoint()
{
    const QImage picture = picture72x28();
    GSM_Bitmap bitmap;
    QString error;
    QVERIFY(gammubitmap::toGsmBitmap(picture, GSM_PictureImage, &bitmap, &error));
    QCOMPARE(bitmap.Type, GSM_PictureImage);
    QCOMPARE(int(bitmap.BitmapWidth), 72);
    QCOMPARE(int(bitmap.BitmapHeight), 28);
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 72; ++x)
            QCOMPARE(bool(GSM_IsPointBitmap(&bitmap, x, y)), gammubitmap::isInk(picture, x, y));
    }
    QCOMPARE(pixelDifference(picture, gammubitmap::fromGsmBitmap(bitmap)), QString());
    // libGammu's bitmap holds at most 96 x 72 points.
    QVERIFY(
        !gammubitmap::toGsmBitmap(gammubitmap::blankPicture(100, 100), GSM_PictureImage, &bitmap, &error));
    QVERIFY(!error.isEmpty());
}

void TestLogoFiles::saveReplacesAnExistingFileWhole()
{
    const QString path = m_folder.filePath(u"replace.otb"_s);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(4000, 'x'));
    old.close();
    QString error;
    QVERIFY2(savePicture(path, PictureFormat::OverTheAir, documentOf(LogoKind::OperatorLogo, galleryLogo()),
                         &error),
             qPrintable(error));
    QCOMPARE(fileContents(path), encodeOverTheAir(galleryLogo()));
}

void TestLogoFiles::saveOnAFullDiskFailsAndKeepsTheOldFile()
{
    const QString path = m_folder.filePath(u"full.bmp"_s);
    const QByteArray before("old contents");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(before);
    old.close();
    const QStringList filesBefore = QDir(m_folder.path()).entryList(QDir::Files);
    bool saved = true;
    QString error;
    {
        // A BMP of a logo is 230 bytes; the disk takes 100.
        const FileSizeLimit full(100);
        saved =
            savePicture(path, PictureFormat::Bmp, documentOf(LogoKind::OperatorLogo, galleryLogo()), &error);
    }
    QVERIFY(!saved);
    QVERIFY2(error.startsWith(u"Il file %1 non si può scrivere"_s.arg(path)), qPrintable(error));
    QCOMPARE(fileContents(path), before);
    QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), filesBefore);
}

void TestLogoFiles::saveIntoAMissingFolderFails()
{
    const QString path = m_folder.filePath(u"no folder/logo.nol"_s);
    QString error;
    QVERIFY(!savePicture(path, PictureFormat::OperatorLogo,
                         documentOf(LogoKind::OperatorLogo, galleryLogo(), Tim), &error));
    QVERIFY(error.startsWith(u"Il file %1 non si può scrivere"_s.arg(path)));
    QVERIFY(!QFileInfo::exists(path));
}

void TestLogoFiles::operatorListPutsItalyFirstAndFinds()
{
    const OperatorList &list = OperatorList::builtIn();
    // libGammu 1.42 knows well over a thousand networks.
    QVERIFY(list.networks().size() > 1000);
    int italian = 0;
    while (italian < list.networks().size() && list.networks().at(italian).mcc == OperatorList::ItalianMcc)
        ++italian;
    QVERIFY(italian >= 5);
    for (int i = italian; i < list.networks().size(); ++i)
        QVERIFY(list.networks().at(i).mcc != OperatorList::ItalianMcc);
    for (int i = 0; i < italian; ++i)
        QCOMPARE(list.networks().at(i).country, u"Italy"_s);
    // The rest by country name.
    for (int i = italian + 1; i < list.networks().size(); ++i)
        QVERIFY(list.networks().at(i - 1).country.localeAwareCompare(list.networks().at(i).country) <= 0);

    const std::optional<Network> tim = list.find(u"222 1");
    QVERIFY(tim);
    QCOMPARE(tim->name, u"TIM"_s);
    QCOMPARE(tim->mnc, u"01"_s);
    QCOMPARE(tim->code(), u"222 01"_s);
    QVERIFY(!list.find(u"222 98 7"));
    QVERIFY(!list.find(u"000 00"));
    QVERIFY(!list.find(u"TIM"));

    for (const QString &query : {u"22201"_s, u"222 01"_s, u"tim italy"_s}) {
        const QList<Network> found = list.search(query);
        QVERIFY2(!found.isEmpty(), qPrintable(query));
        QCOMPARE(found.first().code(), u"222 01"_s);
    }
    const QList<Network> vodafone = list.search(u"vodafone");
    QVERIFY(vodafone.size() > 5);
    QCOMPARE(vodafone.first().mcc, OperatorList::ItalianMcc);
    QVERIFY(list.search(u"nessuna rete con questo nome").isEmpty());
    QCOMPARE(list.search(u"").size(), list.networks().size());

    // Rows of other forms are left out; a country without a name shows its code.
    const OperatorList small({{u"222 88"_s, u"Wind"_s}, {u"bad"_s, u"Nothing"_s}, {u"901 12"_s, u"Sea"_s}},
                             {{u"222"_s, u"Italy"_s}});
    QCOMPARE(small.networks().size(), 2);
    QCOMPARE(small.networks().at(1).country, u"901"_s);
}

QTEST_GUILESS_MAIN(TestLogoFiles)
#include "test_logo_files.moc"
