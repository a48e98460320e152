#include "measure/dialogs/CDrawSetupDlg.h"
#include "measure/dialogs/COtherSetupDlg.h"
#include "measure/dialogs/CRoiSetupDlg.h"
#include "measure/dialogs/CZoomSetupDlg.h"
#include "measure/dialogs/CZoomWindowDlg.h"
#include "measure/dialogs/CoordinateEntryDlg.h"
#include "measure/dialogs/FontChoice.h"
#include "measure/dialogs/IntegerField.h"
#include "codec/BmpWriter.h"
#include "measure/processing/PixelAccess.h"
#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/res/Translations.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/CommandActions.h"
#include "measure/workspace/FileChooser.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/TessmetApplication.h"
#include "platform/ProfileFile.h"
#include "support/RecordingMessagePresenter.h"
#include "../workspace/ViewTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <limits>

using namespace tessmet;
using testsupport::RecordingMessagePresenter;

namespace {

class NoFiles : public FileChooser {
public:
    std::optional<std::string> openImage(const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveImage(const std::string&) override { return std::nullopt; }
};

std::string WriteGrey(const QTemporaryDir& dir, const QString& name, int width = 200, int height = 150) {
    const std::string path = dir.filePath(name).toStdString();
    WriteBmpFile(path, testsupport::Grey(width, height));
    return path;
}

void SetField(QLineEdit* field, int value) { field->setText(QString::number(value)); }

SetupChoosers Answering(std::optional<ColorRef> colour, std::optional<FontDescription> font = std::nullopt) {
    SetupChoosers c;
    c.colour = [colour](ColorRef, QWidget*) { return colour; };
    c.font = [font](const FontDescription&, QWidget*) { return font; };
    return c;
}

QColor SwatchColour(const QAbstractButton* button) {
    return button->icon().pixmap(button->iconSize()).toImage().pixelColor(2, 2);
}

// Every text of the dialog's labels, check boxes, radio buttons and push buttons is shown in
// full: nothing is laid out narrower than the text needs.
QStringList CutTexts(QWidget& dialog) {
    dialog.show();
    dialog.adjustSize();
    QStringList cut;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->isVisible() && label->width() < label->sizeHint().width()) cut << label->text();
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && !button->text().isEmpty() && button->width() < button->sizeHint().width())
            cut << button->text();
    }
    dialog.hide();
    return cut;
}

}  // namespace

class tst_SetupDialogs : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    RecordingMessagePresenter messages;
    NoFiles files;
    Qt::KeyboardModifiers heldKeys;
    std::unique_ptr<CMainFrame> frame;
    // What the next modal dialog does; returns its result.
    std::function<int(QDialog&)> answer;
    QStringList dialogsRun;

    void openPictures(int count) {
        for (int i = 0; i < count; ++i) {
            QCOMPARE(frame->OpenImage(WriteGrey(folder, QStringLiteral("p%1.bmp").arg(i))), 0);
        }
    }
    bool checked(int command) const { return frame->actions().action(command)->isChecked(); }
    void ctrlCommand(int command) {
        heldKeys = Qt::ControlModifier;
        frame->OnCommand(command);
        heldKeys = Qt::NoModifier;
    }

private slots:
    void init() {
        messages.shown.clear();
        dialogsRun.clear();
        heldKeys = Qt::NoModifier;
        answer = [](QDialog&) { return int(QDialog::Rejected); };
        QFile::remove(folder.filePath(QStringLiteral("Tessmet.ini")));
        frame = std::make_unique<CMainFrame>(
            CMainFrame::Services{folder.path().toStdString() + "/", &messages, &files, {}, [this] { return heldKeys; }, nullptr, {}});
        frame->setDialogRunner([this](QDialog& dialog) {
            dialogsRun << QString::fromLatin1(dialog.metaObject()->className());
            return answer(dialog);
        });
        frame->resize(1000, 760);
        frame->show();
        frame->AfterShown();
    }
    void cleanup() { frame.reset(); }

    // Draw Setup --------------------------------------------------------------------------------

    void widthThreeSwitchesTheTypeToSolidLocksItAndShowsTheMessage() {
        PenSetup pens = DefaultPenSetup();
        pens.measure.style = PenStyle::Dot;
        CDrawSetupDlg dialog(pens, FontDescription{}, Answering(std::nullopt), {});
        QComboBox* width = dialog.widthList(PenRow::Measure);
        QComboBox* type = dialog.typeList(PenRow::Measure);
        QCOMPARE(type->currentIndex(), 2);
        QVERIFY(type->isEnabled());
        QVERIFY(dialog.messageLine()->text().isEmpty());

        width->setCurrentIndex(2);
        emit width->activated(2);
        QCOMPARE(type->currentIndex(), 0);
        QVERIFY(!type->isEnabled());
        QCOMPARE(dialog.messageLine()->text(), QString::fromStdString(LoadString(StringId::WidthMakesSolid)));
        QVERIFY(dialog.typeList(PenRow::Draw)->isEnabled());  // the other rows stay as they were
        // The message goes after three seconds.
        QTRY_VERIFY_WITH_TIMEOUT(dialog.messageLine()->text().isEmpty(), CDrawSetupDlg::kMessageMillis + 2000);

        width->setCurrentIndex(0);
        emit width->activated(0);
        QVERIFY(type->isEnabled());
        width->setCurrentIndex(2);
        emit width->activated(2);
        dialog.accept();
        QCOMPARE(dialog.pens().measure, (Pen{PenStyle::Solid, 3, static_cast<int32_t>(Rgb(0, 0, 255))}));
    }

    void storedPensShowAsTheListsAllow() {
        PenSetup pens = DefaultPenSetup();
        pens.ip = {PenStyle::DashDot, 4, 0x123456};  // a stored width other than 1 with a type
        pens.draw = {7, 1, 0};                         // a type outside the list
        pens.addUseXor = 0;
        CDrawSetupDlg dialog(pens, FontDescription{}, Answering(std::nullopt), {});
        QCOMPARE(dialog.widthList(PenRow::ImageProcessing)->currentText(), QStringLiteral("4"));
        QCOMPARE(dialog.typeList(PenRow::ImageProcessing)->currentIndex(), 0);
        QVERIFY(!dialog.typeList(PenRow::ImageProcessing)->isEnabled());
        QCOMPARE(dialog.typeList(PenRow::Draw)->currentIndex(), 0);
        QCOMPARE(dialog.typeList(PenRow::Draw)->count(), 5);
        QCOMPARE(dialog.typeList(PenRow::Draw)->itemText(4), QString::fromStdString(LoadString(12005)));
        QVERIFY(!dialog.inverseCheck()->isChecked());
        QVERIFY(dialog.additionalColourButton()->isEnabled());
        QCOMPARE(SwatchColour(dialog.colourButton(PenRow::ImageProcessing)), QColor(0x56, 0x34, 0x12));
        QCOMPARE(dialog.faceNameLabel()->text(), QStringLiteral("FixedSys"));

        // "Use Inverse Color" locks the additional colour.
        dialog.inverseCheck()->click();
        QVERIFY(!dialog.additionalColourButton()->isEnabled());
        dialog.inverseCheck()->click();
        QVERIFY(dialog.additionalColourButton()->isEnabled());
    }

    void blackIsStoredAs010101OnlyForTheImageProcessingPen() {
        CDrawSetupDlg dialog(DefaultPenSetup(), FontDescription{}, Answering(ColorRef{0}), {});
        dialog.colourButton(PenRow::ImageProcessing)->click();
        dialog.colourButton(PenRow::Draw)->click();
        QCOMPARE(SwatchColour(dialog.colourButton(PenRow::ImageProcessing)), QColor(1, 1, 1));
        QCOMPARE(SwatchColour(dialog.colourButton(PenRow::Draw)), QColor(0, 0, 0));
        dialog.accept();
        QCOMPARE(dialog.pens().ip.color, 0x010101);
        QCOMPARE(dialog.pens().draw.color, 0);
        QCOMPARE(dialog.pens().measure.color, 0xFF0000);  // untouched
    }

    void defaultThenCancelChangesNothing() {
        openPictures(1);
        Settings& s = frame->mutableSettings();
        s.measurePen = {PenStyle::Dash, 1, 0x00AA00};
        s.ipPen = {PenStyle::Solid, 5, 0x0000AA};
        s.addUseXor = 0;
        s.font.faceName = "Serif";
        s.font.height = -30;
        const Settings before = s;
        answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<CDrawSetupDlg&>(d);
            dialog.defaultButton()->click();
            // The controls show the defaults ...
            if (dialog.faceNameLabel()->text() != QStringLiteral("FixedSys")) return int(QDialog::Accepted);
            if (!dialog.inverseCheck()->isChecked()) return int(QDialog::Accepted);
            if (dialog.widthList(PenRow::ImageProcessing)->currentIndex() != 0) return int(QDialog::Accepted);
            if (!dialog.typeList(PenRow::ImageProcessing)->isEnabled()) return int(QDialog::Accepted);
            if (SwatchColour(dialog.colourButton(PenRow::Measure)) != QColor(0, 0, 255)) return int(QDialog::Accepted);
            // ... and Cancel drops them.
            dialog.reject();
            return dialog.result();
        };
        frame->OnCommand(CommandId::DrawSetup);
        QCOMPARE(dialogsRun, QStringList{QStringLiteral("tessmet::CDrawSetupDlg")});
        QVERIFY(frame->settings() == before);
        QVERIFY(messages.shown.empty());
    }

    void okStoresThePensAndOnlyAChangedFontAsksToRebuild() {
        openPictures(1);
        answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<CDrawSetupDlg&>(d);
            dialog.colourButton(PenRow::Draw)->click();
            dialog.inverseCheck()->click();
            dialog.accept();
            return dialog.result();
        };
        frame->setSetupChoosers(Answering(ColorRef{0x00FFFF}));
        frame->OnCommand(CommandId::DrawSetup);
        QCOMPARE(frame->settings().drawPen.color, 0x00FFFF);
        QCOMPARE(frame->settings().addUseXor, 0);
        QVERIFY(messages.shown.empty());  // the font did not change

        FontDescription chosen;
        chosen.faceName = "Serif";
        chosen.height = -24;
        chosen.width = 0;
        frame->setSetupChoosers(Answering(std::nullopt, chosen));
        answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<CDrawSetupDlg&>(d);
            dialog.fontButton()->click();
            if (dialog.faceNameLabel()->text() != QStringLiteral("Serif")) return int(QDialog::Rejected);
            dialog.accept();
            return dialog.result();
        };
        frame->OnCommand(CommandId::DrawSetup);
        QCOMPARE(messages.ids(), std::vector<int>{StringId::FontChanged});
        QVERIFY(frame->settings().font == chosen);
        QCOMPARE(frame->settings().addUseXor, 0);  // pens as the dialog showed them

        // Choosing a font and cancelling keeps the old one.
        chosen.faceName = "Sans";
        frame->setSetupChoosers(Answering(std::nullopt, chosen));
        answer = [](QDialog& d) {
            dynamic_cast<CDrawSetupDlg&>(d).fontButton()->click();
            d.reject();
            return d.result();
        };
        frame->OnCommand(CommandId::DrawSetup);
        QCOMPARE(frame->settings().font.faceName, std::string("Serif"));
        QCOMPARE(messages.shown.size(), size_t{1});
    }

    void aChosenFontBecomesARecordInPixels() {
        FontDescription base;
        base.charSet = 0;
        base.pitchAndFamily = 0x31;
        QFont chosen(QStringLiteral("Serif"));
        chosen.setPixelSize(20);
        chosen.setWeight(QFont::Bold);
        chosen.setItalic(true);
        chosen.setUnderline(true);
        const FontDescription d = DescriptionFromFont(chosen, base);
        QCOMPARE(d.faceName, std::string("Serif"));
        QCOMPARE(d.height, -20);
        QCOMPARE(d.width, 0);
        QCOMPARE(d.weight, 700);
        QCOMPARE(d.italic, 1);
        QCOMPARE(d.underline, 1);
        QCOMPARE(d.strikeOut, 0);
        QCOMPARE(d.charSet, 0);                  // kept
        QCOMPARE(d.pitchAndFamily & 0xF0, 0x30); // family kept
        chosen.setPointSize(12);                 // 12 points on a 96-dpi screen: 16 pixels
        QCOMPARE(DescriptionFromFont(chosen, base).height, -16);
        chosen.setFamily(QString(40, QChar(0x3042)));  // three bytes each: 10 characters fit
        QCOMPARE(DescriptionFromFont(chosen, base).faceName.size(), size_t{30});
        // The chooser opens on the stored size.
        QCOMPARE(FontForChooser(DescriptionFromFont(chosen, base)).pointSize(), 12);
    }

    // Other Setup -------------------------------------------------------------------------------

    void cancellingOtherSetupRestoresTheGridInEveryView() {
        openPictures(2);
        frame->mutableSettings().addUseXor = 0;  // plain-coloured overlays to find
        const uint32_t cyan = 0x00FFFF;  // 0xRRGGBB of the overlay colour
        const QList<QMdiSubWindow*> windows = frame->workspace().subWindowList();
        for (QMdiSubWindow* w : windows) {
            CTessmetView& view = static_cast<CChildFrame*>(w)->view();
            LayerFlags flags = view.flags();
            flags.grid = true;
            view.SetFlags(flags);
        }
        int previewColumn20 = -1;
        answer = [&](QDialog& d) {
            auto& dialog = dynamic_cast<COtherSetupDlg&>(d);
            dialog.gridField()->setValue(20);
            // Previewed in the active view at once.
            previewColumn20 = testsupport::CountInColumn(frame->activeView()->RenderVisible(), 20, cyan);
            dialog.reject();
            return dialog.result();
        };
        frame->OnCommand(CommandId::OtherSetup);
        QCOMPARE(frame->settings().gridDistance, 50);
        // A dotted vertical line covers about half a column; the horizontal lines cross any
        // column in a pixel or two.
        QVERIFY(previewColumn20 > 20);
        for (QMdiSubWindow* w : windows) {
            const QImage shown = static_cast<CChildFrame*>(w)->view().RenderVisible();
            QVERIFY(testsupport::CountInColumn(shown, 20, cyan) < 5);
            QVERIFY(testsupport::CountInColumn(shown, 50, cyan) > 20);
        }
    }

    void otherSetupPreviewsTheCentreLineAndOkStoresEveryValue() {
        openPictures(1);
        Settings& s = frame->mutableSettings();
        s.addUseXor = 0;
        LayerFlags flags = frame->activeView()->flags();
        flags.centreLine = true;
        frame->activeView()->SetFlags(flags);
        const QSize client = frame->activeView()->clientSize();
        int linesAtOffset = 0;
        answer = [&](QDialog& d) {
            auto& dialog = dynamic_cast<COtherSetupDlg&>(d);
            // The fields open with the settings.
            if (dialog.qualityField()->value() != 5 || dialog.gridField()->value() != 50) return int(QDialog::Rejected);
            if (!dialog.arrowCheck()->isChecked() || !dialog.fillCheck()->isChecked()) return int(QDialog::Rejected);
            dialog.offsetXField()->setValue(-30);
            linesAtOffset = testsupport::CountInColumn(frame->activeView()->RenderVisible(), client.width() / 2 - 30, 0x00FFFF);
            dialog.offsetYField()->setValue(12);
            dialog.qualityField()->setValue(10);  // the spin goes beyond the note's 9
            dialog.gridField()->setValue(100);
            dialog.arrowCheck()->click();
            dialog.fillCheck()->click();
            dialog.accept();
            return dialog.result();
        };
        frame->OnCommand(CommandId::OtherSetup);
        QVERIFY(linesAtOffset > client.height() / 2);
        QCOMPARE(s.centerLineOffX, -30);
        QCOMPARE(s.centerLineOffY, 12);
        QCOMPARE(s.jpegQuality, 10);
        QCOMPARE(s.gridDistance, 100);
        QCOMPARE(s.measArrow, 0);
        QCOMPARE(s.measSquare, 0);
        // They reach the settings file at the exit, not before.
        QVERIFY(!platform::ProfileFile::Load(frame->settingsPath()).value("OTHER", "JpegQuality"));
        QVERIFY(SaveAtExit(*frame));
        QCOMPARE(platform::ProfileFile::Load(frame->settingsPath()).value("OTHER", "JpegQuality"), std::optional<std::string>("10"));
    }

    // ROI Setup ---------------------------------------------------------------------------------

    void roiSetupPreviewsTheOutlineAndSetsTheRegion() {
        openPictures(1);
        CTessmetView* view = frame->activeView();
        bool outlineWhileTyping = false, outlineOnOneColumn = true;
        answer = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CRoiSetupDlg&>(d);
            SetField(dialog.field(0), 10);
            SetField(dialog.field(1), 20);
            SetField(dialog.field(2), 60);
            SetField(dialog.field(3), 80);
            outlineWhileTyping = testsupport::DisplayRgb(view->images().display(), 10, 50) != 0x404040;
            SetField(dialog.field(2), 10);  // start and end on the same column: no outline
            outlineOnOneColumn = testsupport::DisplayRgb(view->images().display(), 10, 50) != 0x404040;
            SetField(dialog.field(2), 60);
            dialog.accept();
            return dialog.result();
        };
        ctrlCommand(CommandId::RoiRectangle);
        QCOMPARE(dialogsRun, QStringList{QStringLiteral("tessmet::CRoiSetupDlg")});
        QVERIFY(outlineWhileTyping);
        QVERIFY(!outlineOnOneColumn);
        QCOMPARE(view->region(), RegionOfInterest::Rectangle({10, 20}, {60, 80}));
        QVERIFY(view->flags().processingLayer);
        QVERIFY(checked(CommandId::ToggleProcessingLayer));
        QCOMPARE(frame->coordinateMemory().roiRectangle, (RoiEntry{10, 20, 60, 80, false}));
        QCOMPARE(frame->currentTool(), Tool::None);  // Ctrl does not pick the tool
        QVERIFY(messages.shown.empty());
    }

    void aRejectedRoiSays10011AndKeepsTheRememberedValues() {
        openPictures(1);
        answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<CRoiSetupDlg&>(d);
            SetField(dialog.field(0), 5);
            SetField(dialog.field(1), 5);
            SetField(dialog.field(2), 30);
            SetField(dialog.field(3), 40);
            dialog.accept();
            return dialog.result();
        };
        ctrlCommand(CommandId::RoiEllipse);
        QCOMPARE(frame->activeView()->region(), RegionOfInterest::Ellipse({5, 5}, {30, 40}));

        answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<CRoiSetupDlg&>(d);
            SetField(dialog.field(2), 500);  // beyond the 200-pixel image
            dialog.accept();
            return dialog.result();
        };
        ctrlCommand(CommandId::RoiEllipse);
        QCOMPARE(messages.ids(), std::vector<int>{StringId::RoiNotSetup});
        QCOMPARE(frame->activeView()->region(), RegionOfInterest::Ellipse({5, 5}, {30, 40}));
        QCOMPARE(frame->coordinateMemory().roiEllipse, (RoiEntry{5, 5, 30, 40, false}));

        QString reopened;
        answer = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CRoiSetupDlg&>(d);
            reopened = dialog.field(2)->text();
            return int(QDialog::Rejected);
        };
        ctrlCommand(CommandId::RoiEllipse);
        QCOMPARE(reopened, QStringLiteral("30"));
        // The rectangle keeps its own values.
        ctrlCommand(CommandId::RoiRectangle);
        QCOMPARE(reopened, QStringLiteral("0"));
    }

    void extremeCornersPreviewAndAreRefused() {
        openPictures(1);
        answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<CRoiSetupDlg&>(d);
            SetField(dialog.field(0), std::numeric_limits<int>::min());
            SetField(dialog.field(1), std::numeric_limits<int>::min());
            SetField(dialog.field(2), std::numeric_limits<int>::max());
            SetField(dialog.field(3), std::numeric_limits<int>::max());
            dialog.accept();
            return dialog.result();
        };
        ctrlCommand(CommandId::RoiEllipse);
        QCOMPARE(messages.ids(), std::vector<int>{StringId::RoiNotSetup});
        QVERIFY(frame->activeView()->region().isWholeImage());
        QCOMPARE(frame->coordinateMemory().roiEllipse, RoiEntry{});
    }

    void theSameRoiGoesToEveryPicture() {
        openPictures(3);
        answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<CRoiSetupDlg&>(d);
            SetField(dialog.field(0), 40);
            SetField(dialog.field(1), 30);
            SetField(dialog.field(2), 2);
            SetField(dialog.field(3), 3);
            dialog.sameForAllCheck()->setChecked(true);
            dialog.accept();
            return dialog.result();
        };
        ctrlCommand(CommandId::RoiRectangle);
        for (QMdiSubWindow* w : frame->workspace().subWindowList())
            QCOMPARE(static_cast<CChildFrame*>(w)->view().region(), RegionOfInterest::Rectangle({2, 3}, {40, 30}));
        QVERIFY(frame->coordinateMemory().roiRectangle.sameForAll);
    }

    // Numeric draw entries ----------------------------------------------------------------------

    void theDrawEntriesAddTheirObjectWithTheDrawPen_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QList<int>>("typed");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("fields");
        QTest::newRow("line") << CommandId::DrawLine << QList<int>{3, 4, 50, -6} << int(Kind::Line)
                              << QList<int>{3, 4, 50, -6, 2, 1, 0x0000FF};
        QTest::newRow("rectangle") << CommandId::DrawRectangle << QList<int>{10, 10, 90, 70} << int(Kind::Rectangle)
                                   << QList<int>{10, 10, 90, 70, 2, 1, 0x0000FF};
        QTest::newRow("circle") << CommandId::DrawCircle << QList<int>{100, 75, 40} << int(Kind::Circle)
                                << QList<int>{100, 75, 40, 2, 1, 0x0000FF};
        QTest::newRow("text") << CommandId::DrawText << QList<int>{12, 34} << int(Kind::Text)
                              << QList<int>{12, 34, 2, 1, 0x0000FF};
    }
    void theDrawEntriesAddTheirObjectWithTheDrawPen() {
        QFETCH(int, command);
        QFETCH(QList<int>, typed);
        QFETCH(int, kind);
        QFETCH(QList<int>, fields);
        openPictures(1);
        frame->mutableSettings().drawPen = {PenStyle::Dot, 1, 0x0000FF};
        answer = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CoordinateEntryDlg&>(d);
            if (dialog.fieldCount() != typed.size()) return int(QDialog::Rejected);
            for (int i = 0; i < typed.size(); ++i) SetField(dialog.field(i), typed[i]);
            if (auto* text = dynamic_cast<CDrawTextDlg*>(&dialog)) text->textField()->setText(QStringLiteral("typed"));
            dialog.accept();
            return dialog.result();
        };
        ctrlCommand(command);
        CTessmetView* view = frame->activeView();
        QCOMPARE(view->store().Count(), 1);
        GraphicRecord record;
        QCOMPARE(view->store().Get(ObjectKind(kind), 0, record), 0);
        QCOMPARE(QList<int>(record.fields.begin(), record.fields.end()), fields);
        if (kind == Kind::Text) QCOMPARE(record.text, std::string("typed"));
        QVERIFY(view->flags().drawLayer);
        QVERIFY(checked(CommandId::ToggleDrawLayer));
        QCOMPARE(frame->currentTool(), Tool::None);

        // The next opening shows what was typed; a cancelled one adds nothing and forgets nothing.
        QStringList reopened;
        answer = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CoordinateEntryDlg&>(d);
            for (int i = 0; i < dialog.fieldCount(); ++i) reopened << dialog.field(i)->text();
            SetField(dialog.field(0), 999);
            return int(QDialog::Rejected);
        };
        ctrlCommand(command);
        QStringList expected;
        for (const int v : typed) expected << QString::number(v);
        QCOMPARE(reopened, expected);
        QCOMPARE(view->store().Count(), 1);
        reopened.clear();
        ctrlCommand(command);
        QCOMPARE(reopened, expected);
    }

    void lineAndRectangleRememberSeparately() {
        openPictures(1);
        answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<CDrawLineDlg&>(d);
            SetField(dialog.field(0), 7);
            SetField(dialog.field(3), 9);
            dialog.accept();
            return dialog.result();
        };
        ctrlCommand(CommandId::DrawLine);
        QCOMPARE(frame->coordinateMemory().line, (TwoPointEntry{7, 0, 0, 9}));
        QCOMPARE(frame->coordinateMemory().rectangle, TwoPointEntry{});
        QCOMPARE(dialogsRun, QStringList{QStringLiteral("tessmet::CDrawLineDlg")});
    }

    void okTakesWholeNumbersOnly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << "123" << true << 123;
        QTest::newRow("negative") << "-45" << true << -45;
        QTest::newRow("blanks around") << " 6 " << true << 6;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("lone sign") << "-" << false << 0;
        QTest::newRow("beyond 32 bits") << "2147483648" << false << 0;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("decimal") << "1.5" << false << 0;
    }
    void okTakesWholeNumbersOnly() {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(int, value);
        QCOMPARE(IntegerOf(text).has_value(), number);
        if (number) QCOMPARE(*IntegerOf(text), value);
        CDrawCircleDlg dialog(CircleEntry{});
        dialog.field(2)->setText(text);
        QCOMPARE(dialog.okButton()->isEnabled(), number);
    }

    // Zoom Setup --------------------------------------------------------------------------------

    void zoomSetupOpensOnTheSmallestPresetNotBelowTheZoom_data() {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("percent");
        QTest::newRow("1.5") << 1.5 << 3 << "200%";
        QTest::newRow("8") << 8.0 << 1 << "800%";
        QTest::newRow("1") << 1.0 << 4 << "100%";
        QTest::newRow("0.25") << 0.25 << 7 << "25%";
    }
    void zoomSetupOpensOnTheSmallestPresetNotBelowTheZoom() {
        QFETCH(double, zoom);
        QFETCH(int, preset);
        QFETCH(QString, percent);
        CZoomSetupDlg dialog(zoom);
        QVERIFY(dialog.presetButton(preset)->isChecked());
        QCOMPARE(dialog.percentLabel()->text(), percent);
        QCOMPARE(dialog.presetIndex(), preset);
    }

    void enterConfirmsOnlyFromOk() {
        CZoomSetupDlg dialog(1.0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.presetButton(6)->click();
        QCOMPARE(dialog.percentLabel()->text(), QStringLiteral("50%"));
        dialog.presetButton(6)->setFocus();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.okButton()->setFocus();
        QTest::keyClick(dialog.okButton(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenZoom(), 0.5);
    }

    void zoomSetupSetsTheWindowsZoom() {
        openPictures(1);
        frame->OnCommand(CommandId::ZoomUp);
        frame->OnCommand(CommandId::ZoomUp);  // 1.5
        int opened = 0;
        answer = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CZoomSetupDlg&>(d);
            opened = dialog.presetIndex();
            dialog.presetButton(6)->click();
            dialog.accept();
            return dialog.result();
        };
        frame->OnCommand(CommandId::ZoomSetup);
        QCOMPARE(opened, 3);
        QCOMPARE(frame->activeFrame()->GetZoom(), 0.5);
        QVERIFY(frame->activeFrame()->windowTitle().endsWith(QStringLiteral(" : 50%")));
        QCOMPARE(frame->activeView()->zoom(), 0.5);
    }

    // The zoom window ---------------------------------------------------------------------------

    void theZoomWindowFollowsTheMouseAndTurnsBlackWhenItsWindowIsGone() {
        openPictures(1);
        CZoomWindowDlg& zoom = frame->zoomWindow();
        QVERIFY(!zoom.isVisible());
        QCOMPARE(zoom.windowTitle(), QString::fromStdString(LoadString(StringId::ZoomDisplay)) + ": 4x");
        frame->OnCommand(CommandId::ZoomWindow);
        QVERIFY(zoom.isVisible());
        QVERIFY(checked(CommandId::ZoomWindow));

        CTessmetView* view = frame->activeView();
        testsupport::MoveMouse(view->viewport(), QPoint(30, 40));
        const Dib& picture = zoom.picture();
        QCOMPARE(picture.width(), 240);
        // The grey picture fills the middle; left of it (x = 30 - 30 at 4x) the columns are black.
        QCOMPARE(picture.pixel(120, 120)[1], 0x40);
        QCOMPARE(picture.pixel(0, 120)[1], 0x40);
        testsupport::MoveMouse(view->viewport(), QPoint(5, 40));
        QCOMPARE(picture.pixel(0, 120)[1], 0);
        QCOMPARE(picture.pixel(100, 120)[1], 0x40);

        zoom.slider()->setValue(16);
        QCOMPARE(zoom.magnification(), 16);
        QCOMPARE(zoom.windowTitle(), QString::fromStdString(LoadString(StringId::ZoomDisplay)) + ": 16x");
        QCOMPARE(picture.pixel(239, 120)[1], 0x40);

        frame->OnCommand(CommandId::FileCloseAll);
        QTRY_COMPARE(frame->registry().count(), 0);
        zoom.slider()->setValue(8);
        for (int y = 0; y < 240; y += 10)
            for (int x = 0; x < 240; x += 10) QCOMPARE(picture.pixel(x, y)[1], 0);
        QCOMPARE(zoom.windowTitle(), QString::fromStdString(LoadString(StringId::ZoomDisplay)) + ": 8x");
    }

    void theZoomWindowIgnoresEnterAndEscapeAndItsCloseBoxUnchecksTheCommand() {
        openPictures(1);
        CZoomWindowDlg& zoom = frame->zoomWindow();
        frame->OnCommand(CommandId::ZoomWindow);
        QTest::keyClick(&zoom, Qt::Key_Escape);
        QTest::keyClick(&zoom, Qt::Key_Return);
        QVERIFY(zoom.isVisible());
        zoom.close();
        QVERIFY(!zoom.isVisible());
        QVERIFY(!checked(CommandId::ZoomWindow));
        // Hidden, it no longer follows the mouse.
        QVERIFY(!frame->zoomWindowVisible());
        frame->OnCommand(CommandId::ZoomWindow);
        QVERIFY(zoom.isVisible());
        frame->OnCommand(CommandId::ZoomWindow);
        QVERIFY(!zoom.isVisible());
    }

    // Languages ---------------------------------------------------------------------------------

    void everyDialogFitsItsTextsInEnglishAndJapanese() {
        for (const bool japanese : {false, true}) {
            if (japanese) QVERIFY(InstallTranslations(*qApp, QLocale(QLocale::Japanese)) >= 1);
            Settings settings;
            CDrawSetupDlg draw(DefaultPenSetup(), FontDescription{}, Answering(std::nullopt), {});
            COtherSetupDlg other(settings, {});
            CRoiSetupDlg roi(RoiType::Rectangle, RoiEntry{}, {});
            CDrawLineDlg line(CDrawLineDlg::Shape::Line, TwoPointEntry{});
            CDrawCircleDlg circle(CircleEntry{});
            CDrawTextDlg text(TextPositionEntry{});
            CZoomSetupDlg zoomSetup(1.0);
            CZoomWindowDlg zoomWindow;
            QWidget* dialogs[] = {&draw, &other, &roi, &line, &circle, &text, &zoomSetup, &zoomWindow};
            for (QWidget* dialog : dialogs) {
                QCOMPARE(CutTexts(*dialog), QStringList());
            }
            if (japanese) {
                QCOMPARE(draw.windowTitle(), QStringLiteral("描画設定"));
                QCOMPARE(roi.windowTitle(), QStringLiteral("ROI 設定"));
                QCOMPARE(zoomWindow.windowTitle(), QStringLiteral("ズーム表示: 4x"));
                QCOMPARE(draw.typeList(PenRow::Draw)->itemText(0), QStringLiteral("実線"));
                for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
                    QCoreApplication::removeTranslator(t);
                    delete t;
                }
            } else {
                QCOMPARE(other.windowTitle(), QStringLiteral("Other Setup"));
                QCOMPARE(circle.windowTitle(), QStringLiteral("Draw Circle"));
            }
        }
    }
};

QTEST_MAIN(tst_SetupDialogs)
#include "SetupDialogsTest.moc"
