// Walks every window and dialog of the three programs, as a screen reader
// and a learner on a dark desktop meet them: every control has a name a
// screen reader can say, every value is tied to its caption, and every text
// can be read against what it is painted on.
#include "Blockpr1.h"
#include "Demofrm.h"
#include "LkOVer10.h"
#include "Memnote1.h"
#include "Results.h"
#include "Seiseki1.h"
#include "Settime1.h"
#include "SrmMinifm.h"
#include "colour_qt.h"
#include "dark_palette.h"
#include "fake_platform.h"
#include "program_paths.h"
#include "srmi105.h"
#include "srmminfm32.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <functional>

using namespace sorami;

namespace {

QString spokenName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

QString describe(QWidget* w) {
    return QStringLiteral("%1 %2").arg(w->metaObject()->className(), w->objectName());
}

// The windows to walk, made anew for each walk (under the palette in force).
std::vector<std::function<QWidget*(Platform&)>> windowMakers() {
    return {
        [](Platform& p) { return new TSorami(p); },
        [](Platform& p) { return new TSoramiMiniVer(p, ViewerBuild::StandAlone); },
        [](Platform& p) { return new TSoramiMini(p); },
        [](Platform& p) { return new TSrmMemNote(p); },
        [](Platform& p) { return new TSetTimes(p); },
        [](Platform& p) { return new TBlockProblem(p); },
        [](Platform& p) { return new TKekka(p); },
        [](Platform&) { return new TTable; },
        [](Platform&) { return new TLkOVer10; },
        [](Platform&) { return new TDemoForm; },
    };
}

// The controls a learner works: each needs a name, whether the keyboard
// reaches it or only the mouse does.
bool isControl(QWidget* w) {
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QTextEdit*>(w) ||
           qobject_cast<QPlainTextEdit*>(w) || w->focusPolicy() != Qt::NoFocus;
}

QStringList nameless(QWidget* window) {
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || !isControl(w)) continue;
        // Parts of a compound control speak through it.
        if (w->focusProxy() || w->parentWidget()->inherits("QAbstractSpinBox") ||
            w->parentWidget()->inherits("QAbstractScrollArea"))
            continue;
        if (spokenName(w).trimmed().isEmpty()) out << describe(w);
    }
    return out;
}

// A label that shows a value (a count, a rate, a date) rather than words.
bool showsValue(QLabel* l) {
    static const QRegularExpression letters(QStringLiteral("\\p{L}"));
    return l->pixmap().isNull() && !l->text().contains(letters) && l->buddy() == nullptr;
}

QStringList uncaptionedValues(QWidget* window) {
    QStringList out;
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || !showsValue(l)) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(l);
        const bool captioned = !a->relations(QAccessible::Label).isEmpty();
        const bool named = !l->accessibleName().isEmpty() && l->accessibleName() != l->text();
        if (!captioned && !named) out << describe(l) + " \"" + l->text() + '"';
    }
    return out;
}

QColor role(QWidget* w, QPalette::ColorRole r) {
    return w->palette().color(QPalette::Active, r);
}

// What a widget without a face of its own is painted on.
QColor faceUnder(QWidget* w) {
    for (QWidget* a = w; a; a = a->parentWidget())
        if (a->autoFillBackground() || a->isWindow()) return role(a, a->backgroundRole());
    return {};
}

// The text colour a widget paints its text in and the colour under it,
// read from the palette the style paints with; none for a widget without text.
std::optional<std::pair<QColor, QColor>> paintedText(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->text().isEmpty()) return std::nullopt;
        auto* tool = qobject_cast<QToolButton*>(w);
        if (qobject_cast<QPushButton*>(w) || (tool && !tool->autoRaise()))
            return std::pair{role(w, QPalette::ButtonText), role(w, QPalette::Button)};
        return std::pair{role(w, QPalette::WindowText), faceUnder(w)};
    }
    if (auto* l = qobject_cast<QLabel*>(w))
        if (!l->text().isEmpty()) return std::pair{role(w, QPalette::WindowText), faceUnder(w)};
    if (auto* g = qobject_cast<QGroupBox*>(w))
        if (!g->title().isEmpty()) return std::pair{role(w, QPalette::WindowText), faceUnder(w)};
    if (qobject_cast<QLineEdit*>(w))
        return std::pair{role(w, QPalette::Text), role(w, QPalette::Base)};
    if (qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) {
        QWidget* view = static_cast<QAbstractScrollArea*>(w)->viewport();
        return std::pair{role(w, QPalette::Text), role(view, view->backgroundRole())};
    }
    return std::nullopt;
}

// A glyph drawn in a single colour is a letter on its button and must read
// as one; the style's many-coloured pictures are not text.
std::optional<QColor> glyphInk(QAbstractButton* b) {
    if (b->icon().isNull() || !b->text().isEmpty()) return std::nullopt;
    const QImage img =
        b->icon().pixmap(b->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
    std::optional<QColor> ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb px = img.pixel(x, y);
            if (qAlpha(px) < 255) continue;
            const QColor c = QColor::fromRgb(px);
            if (ink && *ink != c) return std::nullopt;
            ink = c;
        }
    return ink;
}

QStringList unreadable(QWidget* window) {
    QStringList out;
    const auto check = [&](QWidget* w, const QColor& text, const QColor& back) {
        const double ratio = contrastRatio(text, back);
        if (ratio < ReadableContrast)
            out << QStringLiteral("%1 %2 on %3 (%4:1)")
                       .arg(describe(w), text.name(), back.name())
                       .arg(ratio, 0, 'f', 2);
    };
    QList<QWidget*> all = window->findChildren<QWidget*>();
    all.prepend(window);
    for (QWidget* w : all) {
        if (!w->isVisibleTo(window) || !w->isEnabled()) continue;
        if (const auto pair = paintedText(w)) check(w, pair->first, pair->second);
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            if (const auto ink = glyphInk(b)) check(w, *ink, role(w, QPalette::Button));
    }
    return out;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    FakePlatform fake_;

    void walk(const std::function<QStringList(QWidget*)>& findFaults) {
        QStringList faults;
        for (const auto& make : windowMakers()) {
            std::unique_ptr<QWidget> w(make(fake_));
            w->show();
            for (const QString& f : findFaults(w.get()))
                faults << QStringLiteral("%1: %2").arg(w->metaObject()->className(), f);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    }

private slots:
    void init() { setProgramDirForTesting(dir_.path()); }

    void theTextBoxesCarryTheirCaptions() {
        TSorami d(fake_);
        const QStringList boxes = {spokenName(d.WabunDisp), spokenName(d.SeikaiDisp),
                                   spokenName(d.KaitouDisp)};
        QCOMPARE(boxes, (QStringList{"和文", "正解", "解答"}));
        TSoramiMiniVer v(fake_, ViewerBuild::StandAlone);
        QCOMPARE(spokenName(v.Yomikomi), QStringLiteral("ファイルを開く"));
        TSoramiMini m(fake_);
        QCOMPARE(spokenName(m.Susumeru), QStringLiteral("問題を進める"));
    }

    void everyWindowNamesItsControls() { walk(nameless); }

    void everyValueIsTiedToItsCaption() { walk(uncaptionedValues); }

    void everyTextReadsOnADarkDesktop() {
        const QPalette before = QApplication::palette();
        const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
        QApplication::setPalette(darkDesktopPalette());
        walk(unreadable);
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
