#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/libcdiodevice.h"
#include "core/document/edithandlers.h"
#include "core/document/playertimessource.h"
#include "core/model/albumdetails.h"
#include "support/dialoganswerer.h"
#include "support/discimage.h"
#include "support/documentfixture.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/entry/albumcollectionpage.h"
#include "ui/entry/albumsheet.h"
#include "ui/entry/entrytext.h"
#include "ui/entry/lenddialog.h"
#include "ui/entry/tracklistpreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <QListWidget>

#include <gtest/gtest.h>

#include <map>

#include <functional>

namespace discora {
namespace {

using fixture::albumOf;
using fixture::loadAlbums;

class FixedPlayerTimes : public PlayerTimesSource
{
public:
    std::vector<std::string> times;
    void fillPlayerTimes(std::array<std::string, kSongSlots>& out) override
    {
        for (std::size_t i = 0; i < times.size(); ++i)
            out[i] = times[i];
    }
};

QStringList entries(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Types into a control as a user does after selecting what it holds.
void replaceTyped(QWidget* control, const QString& text)
{
    control->setFocus();
    QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(control, Qt::Key_Delete);
    else
        QTest::keyClicks(control, text);
}

// What an input method hands over for text typed in any script.
void commitText(QWidget* control, const QString& text)
{
    control->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(control, &event);
}

// One key press per character, as a keyboard of another layout sends them.
void typeCharacters(QWidget* control, const QString& text)
{
    control->setFocus();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text[i].isHighSurrogate() ? 2 : 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, width));
        QApplication::sendEvent(control, &press);
        i += width - 1;
    }
}

QWidget* focused()
{
    return QApplication::focusWidget();
}

bool holdsFocus(const QWidget* control)
{
    const QWidget* f = focused();
    return f && (f == control || control->isAncestorOf(f));
}

class AlbumSheetTest : public ::testing::Test
{
protected:
    AlbumSheetTest() { m_doc.setEntryListSink(&m_sheet); }
    ~AlbumSheetTest() override { m_doc.setEntryListSink(nullptr); }

    // Shows the sheet modally; act runs while it is open. A sheet act leaves open is cancelled.
    std::optional<AlbumRecord> show(const AlbumRecord& album, const std::function<void(AlbumSheet&)>& act,
                                    const std::array<std::string, 2>& headings = {"Custom 1", "Custom 2"})
    {
        runWhileOpen(act);
        return m_sheet.editAlbum(album, headings);
    }

    void runWhileOpen(const std::function<void(AlbumSheet&)>& act)
    {
        QTimer::singleShot(0, &m_sheet, [this, act] {
            EXPECT_EQ(QApplication::activeModalWidget(), &m_sheet);
            QApplication::setActiveWindow(&m_sheet);
            act(m_sheet);
            if (m_sheet.isVisible())
                m_sheet.reject();
        });
    }

    static void pressOk(AlbumSheet& sheet) { QTest::mouseClick(sheet.okButton(), Qt::LeftButton); }

    // Albums that carry the values, loaded, so that the document lists them as it would.
    void addValues(ValueListId list, const QStringList& values)
    {
        static const std::map<ValueListId, Field> kFieldOf = {
            {ValueListId::Artist, Field::Artist},       {ValueListId::AlbumName, Field::AlbumName},
            {ValueListId::Producer, Field::Producer1},  {ValueListId::MusicType, Field::MusicType},
            {ValueListId::MediaType, Field::MediaType}, {ValueListId::Label, Field::Label},
            {ValueListId::Quality, Field::Quality}};
        std::vector<AlbumRecord> albums;
        for (const QString& v : values) {
            AlbumRecord a;
            a.text(kFieldOf.at(list)) = v.toStdString();
            albums.push_back(a);
        }
        fixture::appendAlbums(m_doc, albums);
    }

    CatalogueDocument m_doc;
    FakePrompter m_prompter;
    AlbumSheet m_sheet{m_doc, m_prompter};
};

// A text for every field that fits its limit and differs from every other field's.
QString typedFor(Field f)
{
    const int i = fieldIndex(f);
    if (f >= trackField(1) && f <= trackField(kSongSlots))
        return QString::number(i % 100);
    if (f >= timeField(1) && f <= timeField(kSongSlots))
        return QStringLiteral("1:%1").arg(i % 100, 2, 10, QLatin1Char('0'));
    return QStringLiteral("text %1").arg(i);
}

TEST_F(AlbumSheetTest, EveryFieldComesBackAsTypedOnOk)
{
    const auto typed = show(AlbumRecord{}, [](AlbumSheet& sheet) {
        for (int f = 0; f < kFieldCount; ++f) {
            QWidget* control = sheet.control(fieldAt(f));
            ASSERT_NE(control, nullptr) << "field " << f;
            sheet.tabs()->setCurrentWidget(control->parentWidget());
            if (fieldAt(f) == Field::Notes) {
                control->setFocus();
                QTest::keyClicks(control, "Recorded live");
                QTest::keyClick(control, Qt::Key_Return);
                QTest::keyClicks(control, "Mono");
            } else {
                replaceTyped(control, typedFor(fieldAt(f)));
            }
        }
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = fieldAt(f);
        const std::string expected =
            field == Field::Notes ? "Recorded live\r\nMono" : typedFor(field).toStdString();
        EXPECT_EQ(typed->text(field), expected) << "field " << f;
    }
}

TEST_F(AlbumSheetTest, CancelAndEscapeHandNothingBack)
{
    AlbumRecord stored = albumOf("Zed", "First");
    const auto cancelled = show(stored, [](AlbumSheet& sheet) {
        replaceTyped(sheet.control(Field::Artist), "Changed");
        QTest::mouseClick(sheet.cancelButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(cancelled);
    const auto escaped = show(stored, [](AlbumSheet& sheet) {
        replaceTyped(sheet.control(Field::Artist), "Changed");
        QTest::keyClick(&sheet, Qt::Key_Escape);
        EXPECT_FALSE(sheet.isVisible());
    });
    EXPECT_FALSE(escaped);
    // The next showing is not left with the cancelled text.
    const auto next = show(stored, [](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.comboBox(Field::Artist)->currentText(), "Zed");
        pressOk(sheet);
    });
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, stored);
}

TEST_F(AlbumSheetTest, EnterShowsThePresetsAndKeepsTheLastMediaType)
{
    loadAlbums(m_doc, {albumOf("A", "One"), albumOf("B", "Two")});
    FakePrompter prompter;
    EditHandlers commands(m_doc, prompter, m_sheet);
    FixedPlayerTimes player;
    player.times = {"03:05", "00:59"};
    commands.setPlayerTimesSource(&player);

    runWhileOpen([](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.lineEdit(Field::Number)->text(), "3");
        for (int k = 1; k <= kSongSlots; ++k)
            EXPECT_EQ(sheet.lineEdit(trackField(k))->text(),
                      QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(sheet.lineEdit(timeField(1))->text(), "03:05");
        EXPECT_EQ(sheet.lineEdit(timeField(2))->text(), "00:59");
        EXPECT_EQ(sheet.lineEdit(timeField(3))->text(), "");
        EXPECT_EQ(sheet.comboBox(Field::MediaType)->currentText(), "");
        replaceTyped(sheet.control(Field::Artist), "Cleo");
        replaceTyped(sheet.control(Field::MediaType), "CD");
        sheet.tabs()->setCurrentIndex(1);
        replaceTyped(sheet.control(titleField(1)), "Overture");
        pressOk(sheet);
    });
    ASSERT_TRUE(commands.enter());
    ASSERT_EQ(m_doc.albumCount(), 3);
    EXPECT_EQ(m_doc.text(Field::Artist, 2), "Cleo");
    EXPECT_EQ(m_doc.text(Field::MediaType, 2), "CD");
    EXPECT_EQ(m_doc.text(titleField(1), 2), "Overture");
    EXPECT_EQ(m_doc.text(timeField(1), 2), "03:05");

    ViewOptions options = m_doc.viewOptions();
    options.set(ViewOption::AutoLoad, 0);
    m_doc.setViewOptions(options);
    runWhileOpen([](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.lineEdit(Field::Number)->text(), "4");
        EXPECT_EQ(sheet.comboBox(Field::MediaType)->currentText(), "CD");
        EXPECT_EQ(sheet.comboBox(Field::Artist)->currentText(), "");
        EXPECT_EQ(sheet.lineEdit(titleField(1))->text(), "");
        EXPECT_EQ(sheet.lineEdit(timeField(1))->text(), "");
        // The new artist is offered already.
        EXPECT_EQ(entries(sheet.comboBox(Field::Artist)), (QStringList{"A", "B", "Cleo"}));
    });
    EXPECT_FALSE(commands.enter());
    EXPECT_EQ(m_doc.albumCount(), 3);
}

struct LimitCase
{
    const char* name;
    Field field;
    int limit;
};

void PrintTo(const LimitCase& c, std::ostream* os)
{
    *os << c.name;
}

class TypingLimitTest : public AlbumSheetTest, public ::testing::WithParamInterface<LimitCase>
{
};

TEST_P(TypingLimitTest, TypingStopsAtTheLimit)
{
    const LimitCase c = GetParam();
    const auto typed = show(AlbumRecord{}, [&](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentIndex(1);
        QLineEdit* edit = sheet.lineEdit(c.field);
        replaceTyped(edit, QString(c.limit + 4, QLatin1Char('x')));
        EXPECT_EQ(edit->text().size(), c.limit);
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->text(c.field), std::string(static_cast<std::size_t>(c.limit), 'x'));
}

TEST_P(TypingLimitTest, ALongerStoredTextIsShownWholeAndCanOnlyShrink)
{
    const LimitCase c = GetParam();
    AlbumRecord stored;
    stored.text(c.field) = std::string(static_cast<std::size_t>(c.limit + 5), '7');
    const auto untouched = show(stored, [&](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.lineEdit(c.field)->text().size(), c.limit + 5);
        pressOk(sheet);
    });
    ASSERT_TRUE(untouched);
    EXPECT_EQ(*untouched, stored);

    const auto edited = show(stored, [&](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentIndex(1);
        QLineEdit* edit = sheet.lineEdit(c.field);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClicks(edit, "y");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "y"); // the room just freed is not there to type into
        pressOk(sheet);
    });
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->text(c.field), std::string(static_cast<std::size_t>(c.limit + 4), '7'));
}

INSTANTIATE_TEST_SUITE_P(SongFields, TypingLimitTest,
                         ::testing::Values(LimitCase{"TrackNumber", trackField(4), kTrackNumberLimit},
                                           LimitCase{"Title", titleField(7), kSongTitleLimit},
                                           LimitCase{"Time", timeField(26), kSongTimeLimit}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AlbumSheetTest, TheTitleLimitCountsCharactersAndCutsPastedTextToFit)
{
    const QString note = QString::fromUtf8("\xF0\x9F\x8E\xB5"); // a character outside the basic plane
    const auto typed = show(AlbumRecord{}, [&](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentIndex(1);
        typeCharacters(sheet.lineEdit(titleField(1)), note.repeated(kSongTitleLimit + 3));
        QLineEdit* pasted = sheet.lineEdit(titleField(2));
        replaceTyped(pasted, QString(kSongTitleLimit - 3, QLatin1Char('a')));
        QGuiApplication::clipboard()->setText(QStringLiteral("bcdefg"));
        pasted->paste();
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    std::string notes;
    for (int i = 0; i < kSongTitleLimit; ++i)
        notes += "\xF0\x9F\x8E\xB5";
    EXPECT_EQ(typed->songs[0].title, notes);
    EXPECT_EQ(typed->songs[1].title, std::string(kSongTitleLimit - 3, 'a') + "bcd");
}

struct NotesCase
{
    const char* name;
    const char* stored;
    const char* afterAddingALine;
};

void PrintTo(const NotesCase& c, std::ostream* os)
{
    *os << c.name;
}

class NotesTest : public AlbumSheetTest, public ::testing::WithParamInterface<NotesCase>
{
};

TEST_P(NotesTest, UntouchedNotesComeBackByteForByte)
{
    AlbumRecord stored;
    stored.notes = GetParam().stored;
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        EXPECT_FALSE(sheet.notesEdit()->toPlainText().contains(QLatin1Char('\r')));
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->notes, stored.notes);
}

TEST_P(NotesTest, EditedNotesUseCrLfBreaks)
{
    AlbumRecord stored;
    stored.notes = GetParam().stored;
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        QPlainTextEdit* notes = sheet.notesEdit();
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(notes, Qt::Key_Return);
        EXPECT_TRUE(sheet.isVisible()) << "Enter in the notes must not close the sheet";
        QTest::keyClicks(notes, "z");
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->notes, GetParam().afterAddingALine);
}

INSTANTIATE_TEST_SUITE_P(LineBreaks, NotesTest,
                         ::testing::Values(NotesCase{"Empty", "", "\r\nz"},
                                           NotesCase{"CrLf", "one\r\ntwo", "one\r\ntwo\r\nz"},
                                           NotesCase{"BlankLines", "a\r\n\r\nb\r\n", "a\r\n\r\nb\r\n\r\nz"},
                                           NotesCase{"LoneLf", "a\nb", "a\r\nb\r\nz"},
                                           NotesCase{"LoneCr", "a\rb", "a\r\nb\r\nz"},
                                           NotesCase{"NoBreakSpace",
                                                     "a\xC2\xA0"
                                                     "b",
                                                     "a\xC2\xA0"
                                                     "b\r\nz"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AlbumSheetTest, TextInAnyScriptIsKeptAsTyped)
{
    const QString tokyo = QString::fromUtf8("東京");
    const QString music = QString::fromUtf8("\xF0\x9F\x8E\xB6 Ελληνικά");
    AlbumRecord stored;
    stored.label = "Caf\xC3\xA9";
    stored.songs[3].title = "\xFF\xFE not UTF-8"; // bytes no widget gives back unchanged
    const auto typed = show(stored, [&](AlbumSheet& sheet) {
        commitText(sheet.comboBox(Field::AlbumName)->lineEdit(), tokyo);
        commitText(sheet.lineEdit(Field::Custom1), music);
        sheet.tabs()->setCurrentIndex(1);
        commitText(sheet.lineEdit(titleField(1)), tokyo + music);
        sheet.tabs()->setCurrentIndex(2);
        commitText(sheet.lineEdit(performerField(1)), QString::fromUtf8("Björk Guðmundsdóttir"));
        sheet.tabs()->setCurrentIndex(0);
        commitText(sheet.notesEdit(), tokyo);
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->albumName, "東京");
    EXPECT_EQ(typed->custom1, "\xF0\x9F\x8E\xB6 Ελληνικά");
    EXPECT_EQ(typed->songs[0].title, "東京\xF0\x9F\x8E\xB6 Ελληνικά");
    EXPECT_EQ(typed->performers[0].name, "Björk Guðmundsdóttir");
    EXPECT_EQ(typed->notes, "東京");
    EXPECT_EQ(typed->label, "Caf\xC3\xA9");
    EXPECT_EQ(typed->songs[3].title, "\xFF\xFE not UTF-8");
}

TEST_F(AlbumSheetTest, DropDownListsAreSortedIgnoringCaseAndBothProducerFieldsShareOne)
{
    addValues(ValueListId::Artist, {"zed", "Amber", "the Rockets", "bob", "Cat"});
    addValues(ValueListId::Producer, {"Teo", "abe", "Mo"});
    AlbumRecord stored;
    stored.artist = "bob";
    stored.producer2 = "Teo";
    show(stored, [](AlbumSheet& sheet) {
        QComboBox* artist = sheet.comboBox(Field::Artist);
        EXPECT_EQ(entries(artist), (QStringList{"Amber", "bob", "Cat", "the Rockets", "zed"}));
        EXPECT_EQ(artist->currentIndex(), 1);
        EXPECT_EQ(entries(sheet.comboBox(Field::Producer1)), (QStringList{"abe", "Mo", "Teo"}));
        EXPECT_EQ(entries(sheet.comboBox(Field::Producer2)), (QStringList{"abe", "Mo", "Teo"}));
        EXPECT_EQ(sheet.comboBox(Field::Producer1)->currentText(), "");
        EXPECT_EQ(sheet.comboBox(Field::Producer2)->currentIndex(), 2);
    });
}

TEST_F(AlbumSheetTest, AComboBoxHandsBackWhatWasTypedNotAListEntryLikeIt)
{
    addValues(ValueListId::Artist, {"Amber", "Rockets"});
    addValues(ValueListId::Label, {"Rock"});
    AlbumRecord stored;
    stored.artist = "AMBER"; // differs from the entry only in case
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.comboBox(Field::Artist)->currentIndex(), -1);
        EXPECT_EQ(sheet.comboBox(Field::Artist)->currentText(), "AMBER");
        replaceTyped(sheet.control(Field::AlbumName), "Rock");
        replaceTyped(sheet.control(Field::Label), "rock");
        QTest::keyClick(sheet.comboBox(Field::Label), Qt::Key_Return); // Enter presses OK
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->artist, "AMBER");
    EXPECT_EQ(typed->albumName, "Rock");
    EXPECT_EQ(typed->label, "rock");
    EXPECT_EQ(m_sheet.entryLists().count(ValueListId::Label), 1);
}

TEST_F(AlbumSheetTest, HeadingLabelsFollowTheHeadings)
{
    show(AlbumRecord{},
         [](AlbumSheet& sheet) {
             EXPECT_EQ(sheet.headingLabel(0)->text(), "Ripped by");
             EXPECT_EQ(sheet.headingLabel(1)->text(), "Shelf");
         },
         {"Ripped by", "Shelf"});
    m_doc.setHeadings("A&B", "<b>Box</b>");
    EXPECT_EQ(m_sheet.headingLabel(0)->text(), "A&B");
    EXPECT_EQ(m_sheet.headingLabel(1)->text(), "<b>Box</b>");
    EXPECT_EQ(m_sheet.headingLabel(1)->textFormat(), Qt::PlainText);
}

// Answers the track list preview once it shows, reading what it lists first (seen keeps the last).
struct PreviewSeen
{
    QStringList songs;
    QStringList unread;
    bool okEnabled = false;
};

void answerPreview(PreviewSeen& seen, bool ok)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, ok] {
        auto* preview = qobject_cast<TrackListPreview*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        timer->stop();
        timer->deleteLater();
        seen = PreviewSeen{};
        for (int i = 0; i < preview->songs()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = preview->songs()->topLevelItem(i);
            QStringList cells;
            for (int c = 0; c < row->columnCount(); ++c)
                cells << row->text(c);
            seen.songs << cells.join(QLatin1Char('|'));
        }
        for (int i = 0; i < preview->unreadLines()->count(); ++i)
            seen.unread << preview->unreadLines()->item(i)->text();
        seen.okEnabled = preview->okButton()->isEnabled();
        if (ok && seen.okEnabled)
            QTest::mouseClick(preview->okButton(), Qt::LeftButton);
        else
            preview->reject();
    });
    timer->start();
}

AlbumRecord presetSongs()
{
    AlbumRecord album;
    for (int k = 1; k <= kSongSlots; ++k)
        album.songs[k - 1].trackNumber = trackNumberText(k);
    return album;
}

void pressPasteKeys(QWidget* focus)
{
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
}

TEST_F(AlbumSheetTest, PastingATrackListFillsOnlyEmptyFieldsAndOneUndoTakesItBack)
{
    AlbumRecord stored = presetSongs();
    stored.songs[1].title = "Typed Two";
    stored.songs[2].time = "09:09";
    QGuiApplication::clipboard()->setText(QStringLiteral("Disc 1\r\n1. Alpha 3:01\r\n2. Beta 3:02\r\n"
                                                         "3. Gamma (3:03)\r\n4.\r\n\r\nDelta - 1:00:04\r\n"));
    PreviewSeen seen;
    const auto typed = show(stored, [&seen](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentIndex(1);
        auto text = [&sheet](Field f) { return sheet.lineEdit(f)->text(); };
        answerPreview(seen, true);
        pressPasteKeys(sheet.lineEdit(titleField(7)));
        EXPECT_EQ(text(titleField(1)), "Alpha");
        EXPECT_EQ(text(timeField(1)), "03:01");
        EXPECT_EQ(text(titleField(2)), "Typed Two");
        EXPECT_EQ(text(timeField(2)), "03:02");
        EXPECT_EQ(text(titleField(3)), "Gamma");
        EXPECT_EQ(text(timeField(3)), "09:09");
        EXPECT_EQ(text(titleField(4)), "Delta");
        EXPECT_EQ(text(timeField(4)), "60:04");
        EXPECT_EQ(text(trackField(4)), "04");
        EXPECT_EQ(text(titleField(5)), "");

        // Undo in an edit the paste left alone takes the whole paste back.
        QTest::keyClick(sheet.lineEdit(titleField(7)), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(text(titleField(1)), "");
        EXPECT_EQ(text(timeField(2)), "");
        EXPECT_EQ(text(titleField(2)), "Typed Two");
        EXPECT_EQ(text(timeField(4)), "");

        // Pasted again and one pasted title changed by hand: Undo from the button keeps that change.
        answerPreview(seen, true);
        QTest::mouseClick(sheet.pasteTrackListButton(), Qt::LeftButton);
        replaceTyped(sheet.lineEdit(titleField(3)), "Mine");
        QApplication::setActiveWindow(&sheet);
        sheet.pasteTrackListButton()->setFocus();
        QTest::keyClick(sheet.pasteTrackListButton(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(text(titleField(1)), "");
        EXPECT_EQ(text(titleField(3)), "Mine");

        answerPreview(seen, true);
        QTest::mouseClick(sheet.pasteTrackListButton(), Qt::LeftButton);
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->songs[0].title, "Alpha");
    EXPECT_EQ(typed->songs[1].title, "Typed Two");
    EXPECT_EQ(typed->songs[2].title, "Mine");
    EXPECT_EQ(typed->songs[2].time, "09:09");
    EXPECT_EQ(typed->songs[3].time, "60:04");
    EXPECT_EQ(typed->songs[4].title, "");
    ASSERT_GE(seen.songs.size(), 4);
    EXPECT_EQ(seen.songs[1], "2|02|Beta|03:02|typed title \u201cTyped Two\u201d kept");
    EXPECT_EQ(seen.unread, QStringList{"Line 5: 4. \u2014 no song title"});
    EXPECT_TRUE(seen.okEnabled);
}

TEST_F(AlbumSheetTest, CancellingThePreviewOrPastingNoListChangesNothing)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("Alpha\nBeta"));
    PreviewSeen seen;
    const auto typed = show(presetSongs(), [&](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentIndex(1);
        answerPreview(seen, false);
        QTest::mouseClick(sheet.pasteTrackListButton(), Qt::LeftButton);
        QGuiApplication::clipboard()->setText(QStringLiteral(" \n\n"));
        QTest::mouseClick(sheet.pasteTrackListButton(), Qt::LeftButton);
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->songs, presetSongs().songs);
    EXPECT_EQ(seen.songs.size(), 2);
    EXPECT_EQ(m_prompter.errors, std::vector<std::string>{kClipboardHoldsNoTrackList});
}

TEST_F(AlbumSheetTest, LoadTimesFromCdTakesThePlayersTimesAndKeepsTypedTitles)
{
    FixedPlayerTimes player;
    player.times = {"03:05", "00:59", "10:00"};
    m_sheet.setPlayerTimesSource(&player);
    AlbumRecord stored;
    stored.songs[3].time = "9:99";
    stored.songs[25].time = "1:00";
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentIndex(1);
        replaceTyped(sheet.control(titleField(1)), "Intro");
        QTest::mouseClick(sheet.loadTimesButton(), Qt::LeftButton);
        EXPECT_EQ(sheet.lineEdit(titleField(1))->text(), "Intro");
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->songs[0].title, "Intro");
    EXPECT_EQ(typed->songs[0].time, "03:05");
    EXPECT_EQ(typed->songs[1].time, "00:59");
    EXPECT_EQ(typed->songs[2].time, "10:00");
    EXPECT_EQ(typed->songs[3].time, "");
    EXPECT_EQ(typed->songs[25].time, "");
    EXPECT_TRUE(m_prompter.errors.empty());
}

TEST_F(AlbumSheetTest, LoadTimesFromCdWithNothingFoundSaysSoAndKeepsTheTimes)
{
    FixedPlayerTimes noDisc;
    m_sheet.setPlayerTimesSource(&noDisc);
    AlbumRecord stored;
    stored.songs[0].time = "02:02";
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        QTest::mouseClick(sheet.loadTimesButton(), Qt::LeftButton);
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->songs[0].time, "02:02");
    EXPECT_EQ(m_prompter.errors, std::vector<std::string>{kNoCdDetected});
}

TEST_F(AlbumSheetTest, TheSongsPagesButtonsHaveKeys)
{
    FixedPlayerTimes noDisc;
    m_sheet.setPlayerTimesSource(&noDisc);
    QGuiApplication::clipboard()->setText(QStringLiteral("1. Alpha 3:01"));
    PreviewSeen seen;
    const auto typed = show(AlbumRecord{}, [&](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentIndex(1);
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        sheet.control(titleField(1))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier); // Load Times from CD
        answerPreview(seen, true);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V,
                        Qt::ControlModifier | Qt::ShiftModifier); // Paste Track List
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(m_prompter.errors, std::vector<std::string>{kNoCdDetected});
    EXPECT_EQ(typed->songs[0].title, "Alpha");
    for (QPushButton* button :
         {m_sheet.lookUpButton(), m_sheet.pasteTrackListButton(), m_sheet.loadTimesButton()})
        EXPECT_FALSE(QKeySequence::mnemonic(button->text()).isEmpty()) << button->text().toStdString();
}

// A reader for "Load Times from CD" on a disc image.
AlbumSheet::DiscReader imageReader(const std::string& cue)
{
    return [cue] { return std::make_unique<LibcdioDevice>(cue); };
}

TEST_F(AlbumSheetTest, LoadTimesFromCdReadsTheDiscAndItsCdTextFillsOnlyWhatIsEmpty)
{
    testimage::TempDir dir;
    testimage::Disc disc({testimage::seconds(3, 5), testimage::seconds(0, 59)});
    for (int k = 3; k <= 8; ++k)
        disc.tracks.push_back(testimage::seconds(0, k));
    for (int k = 1; k <= 8; ++k)
        disc.tracks[static_cast<std::size_t>(k - 1)].title = "Disc song " + std::to_string(k);
    disc.title = "Disc Title";
    disc.performer = "Disc Artist";
    m_sheet.setDiscReader(imageReader(testimage::write(dir.path(), "eight", disc)));

    AlbumRecord stored;
    stored.artist = "Mine";
    stored.songs[2].title = "Kept";
    for (int k = 9; k <= 26; ++k)
        stored.songs[static_cast<std::size_t>(k - 1)].time = "01:00";
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentIndex(1);
        replaceTyped(sheet.control(titleField(1)), "Typed");
        QTest::mouseClick(sheet.loadTimesButton(), Qt::LeftButton);
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_TRUE(m_prompter.errors.empty());
    const std::vector<std::string> times = {"03:05", "00:59", "00:03", "00:04",
                                            "00:05", "00:06", "00:07", "00:08"};
    for (int k = 1; k <= 26; ++k)
        EXPECT_EQ(typed->songs[static_cast<std::size_t>(k - 1)].time,
                  k <= 8 ? times[static_cast<std::size_t>(k - 1)] : std::string())
            << "time " << k;
    EXPECT_EQ(typed->songs[0].title, "Typed");
    EXPECT_EQ(typed->songs[1].title, "Disc song 2");
    EXPECT_EQ(typed->songs[2].title, "Kept");
    EXPECT_EQ(typed->songs[7].title, "Disc song 8");
    EXPECT_EQ(typed->songs[8].title, "");
    EXPECT_EQ(typed->artist, "Mine");
    EXPECT_EQ(typed->albumName, "Disc Title");
}

TEST_F(AlbumSheetTest, LoadTimesFromCdTakesTheFirstTwentySixTracksOfALongDisc)
{
    testimage::TempDir dir;
    testimage::Disc disc;
    for (int k = 1; k <= 30; ++k)
        disc.tracks.push_back(testimage::seconds(0, k));
    m_sheet.setDiscReader(imageReader(testimage::write(dir.path(), "thirty", disc)));
    const auto typed = show(AlbumRecord{}, [](AlbumSheet& sheet) {
        QTest::mouseClick(sheet.loadTimesButton(), Qt::LeftButton);
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->songs[0].time, "00:01");
    EXPECT_EQ(typed->songs[25].time, "00:26");
}

TEST_F(AlbumSheetTest, LoadTimesFromCdRefusesADataFirstTrackThenTriesThePlayer)
{
    testimage::TempDir dir;
    testimage::Track data = testimage::seconds(0, 4);
    data.audio = false;
    const std::string mixed = testimage::write(dir.path(), "mixed", {{data, testimage::seconds(0, 5)}});
    struct Row
    {
        const char* name;
        std::vector<std::string> playerTimes;
        std::string firstTime;
    };
    for (const Row& row : {Row{"the player has times", {"04:00", "05:00"}, "04:00"},
                           Row{"the player has none", {}, "02:02"}}) {
        FixedPlayerTimes player;
        player.times = row.playerTimes;
        m_sheet.setPlayerTimesSource(&player);
        m_sheet.setDiscReader(imageReader(mixed));
        m_prompter.errors.clear();
        AlbumRecord stored;
        stored.songs[0].time = "02:02";
        const auto typed = show(stored, [](AlbumSheet& sheet) {
            QTest::mouseClick(sheet.loadTimesButton(), Qt::LeftButton);
            pressOk(sheet);
        });
        ASSERT_TRUE(typed) << row.name;
        EXPECT_EQ(typed->songs[0].time, row.firstTime) << row.name;
        // Said once, by the reading; the empty fallback adds nothing.
        EXPECT_EQ(m_prompter.errors, std::vector<std::string>{kNoAudioTrackOne}) << row.name;
        m_sheet.setPlayerTimesSource(nullptr);
    }
}

TEST_F(AlbumSheetTest, LoadTimesFromCdWithoutTheImageOrAPlayerNamesTheFileAndKeepsTheTimes)
{
    testimage::TempDir dir;
    const std::string none = (dir.path() / "none.cue").string();
    m_sheet.setDiscReader(imageReader(none));
    AlbumRecord stored;
    stored.songs[4].time = "07:07";
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        QTest::mouseClick(sheet.loadTimesButton(), Qt::LeftButton);
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->songs[4].time, "07:07");
    EXPECT_EQ(m_prompter.errors,
              std::vector<std::string>{"The disc image file " + none + " cannot be found."});
}

TEST_F(AlbumSheetTest, TabMovesThroughEachPageInReadingOrder)
{
    const std::vector<std::vector<Field>> pages = {
        {Field::Artist, Field::AlbumName, Field::Producer1, Field::Producer2, Field::MusicType,
         Field::CatalogNumber, Field::Label, Field::Custom1, Field::Custom2, Field::MediaType, Field::Quality,
         Field::Number, Field::Notes},
        {trackField(1), titleField(1), timeField(1), trackField(2), titleField(2), timeField(2),
         trackField(3)},
        {performerField(1), instrumentField(1), performerField(2), instrumentField(2)},
        {Field::Status, Field::Rating, Field::Year, Field::Location, Field::Barcode, Field::MusicBrainzId,
         Field::DiscogsId, Field::PurchaseDate, Field::PurchasePrice, Field::Currency, Field::BoughtFrom,
         Field::CurrentValue, Field::MediaCondition, Field::SleeveCondition, Field::DateAdded,
         Field::DateModified},
    };
    show(AlbumRecord{}, [&](AlbumSheet& sheet) {
        for (std::size_t page = 0; page < pages.size(); ++page) {
            sheet.tabs()->setCurrentIndex(static_cast<int>(page));
            sheet.control(pages[page][0])->setFocus();
            for (std::size_t i = 1; i < pages[page].size(); ++i) {
                QTest::keyClick(focused(), Qt::Key_Tab);
                ASSERT_TRUE(holdsFocus(sheet.control(pages[page][i])))
                    << "page " << page << " step " << i << " focus on "
                    << focused()->metaObject()->className();
            }
        }
    });
}

// ---- The Collection page ------------------------------------------------------------------

QWidget* collectionPage(AlbumSheet& sheet)
{
    return sheet.collectionPage();
}

// Picks the entry of a drop-down list that reads text, as a user does from the keyboard.
void pick(QComboBox* box, const QString& text)
{
    const int row = box->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    box->setFocus();
    box->setCurrentIndex(row);
}

TEST_F(AlbumSheetTest, TheCollectionPageHandsBackWhatTheAlbumKeeps)
{
    AlbumRecord stored = albumOf("Amber", "Dawn");
    stored.text(Field::Status) = storedStatus(AlbumStatus::Wanted);
    stored.text(Field::DateAdded) = "2021-05-06";
    stored.text(Field::DateModified) = "2022-07-08";
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        sheet.tabs()->setCurrentWidget(collectionPage(sheet));
        EXPECT_EQ(sheet.comboBox(Field::Status)->currentText(), "Wanted");
        EXPECT_EQ(sheet.lineEdit(Field::DateAdded)->text(), "2021-05-06");
        EXPECT_TRUE(sheet.lineEdit(Field::DateAdded)->isReadOnly());
        EXPECT_TRUE(sheet.lineEdit(Field::DateModified)->isReadOnly());
        pick(sheet.comboBox(Field::Status), "In Collection");
        pick(sheet.comboBox(Field::Rating), "4 stars");
        pick(sheet.comboBox(Field::MediaCondition), "VG+ (Very Good Plus)");
        replaceTyped(sheet.comboBox(Field::SleeveCondition), "nm");
        replaceTyped(sheet.comboBox(Field::Location), "Shelf 3");
        replaceTyped(sheet.control(Field::Year), " 1969 ");
        replaceTyped(sheet.control(Field::Barcode), "0 77774 64412 8");
        replaceTyped(sheet.control(Field::MusicBrainzId), "b84ee12a-09ef-421b-82de-0441a926375b");
        replaceTyped(sheet.control(Field::DiscogsId), "1873013");
        replaceTyped(sheet.control(Field::PurchaseDate), "2024-03-15");
        replaceTyped(sheet.control(Field::PurchasePrice), "12.50");
        replaceTyped(sheet.control(Field::Currency), "EUR");
        replaceTyped(sheet.control(Field::BoughtFrom), "Record fair");
        replaceTyped(sheet.control(Field::CurrentValue), "30");
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    const std::pair<Field, std::string> expected[] = {
        {Field::Status, ""}, // In Collection
        {Field::Rating, "4"},
        {Field::MediaCondition, "VG+"},
        {Field::SleeveCondition, "NM"},
        {Field::Location, "Shelf 3"},
        {Field::Year, "1969"},
        {Field::Barcode, "0 77774 64412 8"},
        {Field::MusicBrainzId, "b84ee12a-09ef-421b-82de-0441a926375b"},
        {Field::DiscogsId, "1873013"},
        {Field::PurchaseDate, "2024-03-15"},
        {Field::PurchasePrice, "12.50"},
        {Field::Currency, "EUR"},
        {Field::BoughtFrom, "Record fair"},
        {Field::CurrentValue, "30"},
        {Field::DateAdded, "2021-05-06"},
        {Field::DateModified, "2022-07-08"},
    };
    for (const auto& [field, text] : expected)
        EXPECT_EQ(typed->text(field), text) << detailName(field);
}

// Texts another program wrote, which this page could not have produced, come back byte for byte
// while the user changes something else; only what the user touches is checked.
TEST_F(AlbumSheetTest, DetailsTheUserLeavesAloneComeBackAsStored)
{
    AlbumRecord stored = albumOf("Amber", "Dawn");
    stored.text(Field::Status) = "Lent out";
    stored.text(Field::Rating) = "9";
    stored.text(Field::Year) = "1970s";
    stored.text(Field::PurchaseDate) = "March 2001";
    stored.text(Field::MediaCondition) = "Sealed";
    stored.text(Field::Loans) = "Ann\t2020-01-01\t\t2020-02-01";
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.comboBox(Field::MediaCondition)->currentText(), "Sealed");
        replaceTyped(sheet.control(Field::Currency), "GBP");
        pressOk(sheet);
    });
    ASSERT_TRUE(typed);
    AlbumRecord expected = stored;
    expected.text(Field::Currency) = "GBP";
    EXPECT_EQ(*typed, expected);
    EXPECT_TRUE(m_prompter.errors.empty());
}

TEST_F(AlbumSheetTest, AYearOrPurchaseDateThatCannotBeKeptIsRefusedWhereItWasTyped)
{
    const struct
    {
        Field field;
        const char* text;
        const char* message;
    } cases[] = {
        {Field::Year, "19", "The year must be four digits"},
        {Field::Year, "abcd", "The year must be four digits"},
        {Field::PurchaseDate, "2023-02-29", "The purchase date must be a date"},
        {Field::PurchaseDate, "15/03/2024", "The purchase date must be a date"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_prompter.errors.clear();
        const auto typed = show(albumOf("Amber", "Dawn"), [&](AlbumSheet& sheet) {
            sheet.tabs()->setCurrentWidget(collectionPage(sheet));
            replaceTyped(sheet.control(c.field), QString::fromLatin1(c.text));
            sheet.tabs()->setCurrentIndex(0); // OK from another page
            pressOk(sheet);
            EXPECT_TRUE(sheet.isVisible()) << "the sheet stays open";
            ASSERT_EQ(m_prompter.errors.size(), 1u);
            EXPECT_NE(m_prompter.errors[0].find(c.message), std::string::npos) << m_prompter.errors[0];
            EXPECT_EQ(sheet.tabs()->currentWidget(), collectionPage(sheet));
            EXPECT_TRUE(holdsFocus(sheet.control(c.field)));
            // Put right, OK takes it.
            replaceTyped(sheet.control(c.field), QString());
            pressOk(sheet);
        });
        ASSERT_TRUE(typed);
        EXPECT_EQ(typed->text(c.field), "");
        EXPECT_EQ(m_prompter.errors.size(), 1u);
    }
}

TEST_F(AlbumSheetTest, ABarcodeWithAWrongCheckDigitIsNotedAndKeptAsTyped)
{
    const struct
    {
        const char* barcode;
        bool noted;
    } cases[] = {
        {"4006381333931", false},                           // EAN-13
        {"4006381333932", true},   {"036000291452", false}, // UPC-A
        {"0 36000 29145 3", true}, {"12345", false},        // neither: not checked
        {"CAT-77", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.barcode);
        const auto typed = show(AlbumRecord{}, [&](AlbumSheet& sheet) {
            sheet.tabs()->setCurrentWidget(collectionPage(sheet));
            replaceTyped(sheet.control(Field::Barcode), QString::fromLatin1(c.barcode));
            QLabel* note = sheet.collectionPage()->barcodeNote();
            EXPECT_EQ(note->isVisible(), c.noted);
            EXPECT_EQ(sheet.control(Field::Barcode)->accessibleDescription().isEmpty(), !c.noted);
            pressOk(sheet);
        });
        ASSERT_TRUE(typed);
        EXPECT_EQ(typed->text(Field::Barcode), c.barcode);
    }
}

// Answers the Lend dialog: a borrower, and a due date when one is given.
void answerLend(LendDialog& dialog, const QString& borrower, const QDate& due)
{
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "no loan without a borrower";
    EXPECT_EQ(dialog.lentEdit()->date(),
              QDate::fromString(QString::fromStdString(todaysDate()), Qt::ISODate));
    EXPECT_FALSE(dialog.dueEdit()->isEnabled());
    QTest::keyClicks(dialog.borrowerEdit(), borrower);
    if (due.isValid()) {
        QTest::mouseClick(dialog.dueBox(), Qt::LeftButton);
        EXPECT_TRUE(dialog.dueEdit()->isEnabled());
        dialog.dueEdit()->setDate(due);
    }
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
}

TEST_F(AlbumSheetTest, LendAndReturnedKeepEveryLoanInTheHistory)
{
    const std::string today = todaysDate();
    const QDate due = QDate::fromString(QString::fromStdString(today), Qt::ISODate).addDays(10);
    AlbumRecord stored = albumOf("Amber", "Dawn");
    stored.text(Field::Loans) = storedLoans({{"Bob", "2019-01-01", "", "2019-02-03"}});
    fixture::DialogAnswerer<LendDialog> lendAnswer(
        [&](LendDialog& dialog) { answerLend(dialog, "  Ann ", due); });
    const auto typed = show(stored, [&](AlbumSheet& sheet) {
        AlbumCollectionPage* page = sheet.collectionPage();
        sheet.tabs()->setCurrentWidget(page);
        EXPECT_EQ(page->loanLine()->text(), "Not lent");
        EXPECT_FALSE(page->returnedButton()->isEnabled());
        ASSERT_EQ(page->loanHistory()->topLevelItemCount(), 1);

        // From the keyboard: Alt+L, then Space on the button the keyboard is left on.
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        sheet.control(Field::Year)->setFocus();
        QTest::keyClick(focused(), Qt::Key_L, Qt::AltModifier);
        // A button's letter clicks it once its press has been shown.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return lendAnswer.shown() == 1 && !page->lendButton()->isEnabled(); }));
        EXPECT_EQ(page->loanLine()->text().toStdString(), "Lent to Ann since " + today + ", due back " +
                                                              due.toString(Qt::ISODate).toStdString() + ".");
        EXPECT_FALSE(page->lendButton()->isEnabled()) << "one loan at a time";
        EXPECT_TRUE(page->returnedButton()->isEnabled());
        ASSERT_EQ(sheet.focusWidget(), page->returnedButton());

        QTest::keyClick(page->returnedButton(), Qt::Key_Space);
        EXPECT_EQ(page->loanLine()->text(), "Not lent");
        EXPECT_EQ(sheet.focusWidget(), page->lendButton());
        ASSERT_EQ(page->loanHistory()->topLevelItemCount(), 2);
        const QTreeWidgetItem* latest = page->loanHistory()->topLevelItem(0);
        EXPECT_EQ(latest->text(0), "Ann");
        EXPECT_EQ(latest->text(3).toStdString(), today);
        EXPECT_EQ(page->loanHistory()->topLevelItem(1)->text(0), "Bob");
        pressOk(sheet);
    });
    ASSERT_EQ(lendAnswer.shown(), 1);
    ASSERT_TRUE(typed);
    EXPECT_EQ(loansOf(typed->text(Field::Loans)),
              (std::vector<Loan>{{"Bob", "2019-01-01", "", "2019-02-03"},
                                 {"Ann", today, due.toString(Qt::ISODate).toStdString(), today}}));
}

TEST_F(AlbumSheetTest, ALoanPastItsDueDateSaysSoAndCancellingTheLendDialogLendsNothing)
{
    AlbumRecord stored = albumOf("Amber", "Dawn");
    stored.text(Field::Loans) = storedLoans({{"Bob", "2020-01-01", "2020-02-01", ""}});
    fixture::DialogAnswerer<LendDialog> cancelLend([](LendDialog& dialog) {
        QTest::keyClicks(dialog.borrowerEdit(), "Cy");
        dialog.reject();
    });
    const auto typed = show(stored, [](AlbumSheet& sheet) {
        AlbumCollectionPage* page = sheet.collectionPage();
        EXPECT_EQ(page->loanLine()->text(), "Lent to Bob since 2020-01-01, due back 2020-02-01 (overdue).");
        EXPECT_FALSE(page->lendButton()->isEnabled());
        QTest::mouseClick(page->returnedButton(), Qt::LeftButton);
        QTest::mouseClick(page->lendButton(), Qt::LeftButton);
        EXPECT_EQ(page->loanLine()->text(), "Not lent");
        pressOk(sheet);
    });
    EXPECT_EQ(cancelLend.shown(), 1);
    ASSERT_TRUE(typed);
    EXPECT_EQ(loansOf(typed->text(Field::Loans)),
              (std::vector<Loan>{{"Bob", "2020-01-01", "2020-02-01", todaysDate()}}));
}

TEST_F(AlbumSheetTest, TheLocationListOffersTheCataloguesLocations)
{
    AlbumRecord a = albumOf("Amber", "Dawn");
    a.text(Field::Location) = "Shelf B";
    AlbumRecord b = albumOf("Birch", "Dusk");
    b.text(Field::Location) = "Box 1";
    loadAlbums(m_doc, {a, b});
    show(a, [](AlbumSheet& sheet) {
        QComboBox* location = sheet.comboBox(Field::Location);
        EXPECT_EQ(entries(location), (QStringList{"Box 1", "Shelf B"}));
        EXPECT_EQ(location->currentIndex(), 1);
        QStringList grades = entries(sheet.comboBox(Field::SleeveCondition));
        EXPECT_EQ(grades.size(), 8);
        EXPECT_EQ(grades.first(), "M (Mint)");
    });
}

// The artists of a loaded catalogue, handed over in the document's order, come up in the sheet
// once each, sorted ignoring case. (How fast this is with 100,000 artists: bench_view.)
TEST_F(AlbumSheetTest, TheArtistListHoldsEveryArtistSortedIgnoringCase)
{
    constexpr int kArtists = 1'000;
    std::vector<AlbumRecord> albums;
    for (int i = kArtists; i > 0; --i)
        albums.push_back(albumOf(std::string(i % 2 ? "artist " : "Artist ") + std::to_string(i), "Album"));
    albums.push_back(albumOf("artist 7", "Again"));
    loadAlbums(m_doc, albums);
    show(AlbumRecord{}, [&](AlbumSheet& sheet) {
        const QStringList items = entries(sheet.comboBox(Field::Artist));
        ASSERT_EQ(items.size(), kArtists);
        EXPECT_EQ(items.mid(0, 5),
                  QStringList({"artist 1", "Artist 10", "Artist 100", "Artist 1000", "artist 101"}));
        EXPECT_EQ(items.back(), "artist 999");
        for (qsizetype i = 1; i < items.size(); ++i)
            ASSERT_LT(QString::compare(items[i - 1], items[i], Qt::CaseInsensitive), 0)
                << items[i - 1].toStdString() << " before " << items[i].toStdString();
    });
}

TEST(AlbumSheetApplication, TheApplicationBuildsOneSheetAndFeedsItTheValueLists)
{
    MemorySettingsStore store;
    FakePrompter prompter;
    Application app(store, &prompter);
    app.start();
    AlbumSheet& sheet = app.albumSheet();
    EXPECT_EQ(sheet.parentWidget(), &app.mainWindow());
    EXPECT_EQ(sheet.windowTitle(), kAlbumSheetCaption);
    loadAlbums(app.document(), {albumOf("Zed", "One"), albumOf("Amber", "Two")});
    EXPECT_EQ(sheet.entryLists().count(ValueListId::Artist), 2);
    EXPECT_EQ(sheet.entryLists().count(ValueListId::AlbumName), 2);
    EXPECT_EQ(&app.albumSheet(), &sheet);
}

TEST(AlbumSheetApplication, ANewCatalogueOffersNoneOfThePreviousOnesValues)
{
    MemorySettingsStore store;
    FakePrompter prompter;
    Application app(store, &prompter);
    app.start();
    loadAlbums(app.document(), {albumOf("Zed", "One"), albumOf("Amber", "Two")});
    app.mainWindow().runCommand(CommandId::New);
    ASSERT_EQ(app.document().albumCount(), 0);

    QStringList offered = {"(not shown)"};
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<AlbumSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        offered = entries(sheet->comboBox(Field::Artist)) + entries(sheet->comboBox(Field::AlbumName));
        sheet->reject();
    });
    app.mainWindow().runCommand(CommandId::Enter);
    EXPECT_TRUE(offered.isEmpty()) << offered.join(", ").toStdString();
}

} // namespace
} // namespace discora
