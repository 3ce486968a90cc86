#include "Mnemonics.h"

#include "controls/FlatPictureButton.h"
#include "controls/MnemonicText.h"
#include "controls/PictureButton.h"
#include "controls/ShortcutClick.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSet>

namespace {

// Buttons whose caption is painted by Qt itself; picture buttons paint no text.
bool paintsItsCaption(const QAbstractButton *button)
{
    return !qobject_cast<const PictureButton *>(button) && !qobject_cast<const FlatPictureButton *>(button);
}

} // namespace

void assignMnemonics(QWidget &window)
{
    QList<QWidget *> captioned;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (widget->isHidden())
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            // A label beside a button with a caption of its own (a mode's description
            // beside its choice) leaves the letter to the button.
            const auto *buddyButton = qobject_cast<const QAbstractButton *>(label->buddy());
            const bool buttonHasCaption = buddyButton && paintsItsCaption(buddyButton) && !buddyButton->text().isEmpty();
            if (label->buddy() && !label->buddy()->isHidden() && label->textFormat() != Qt::RichText && !buttonHasCaption)
                captioned << label;
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            if (paintsItsCaption(button) && !button->text().isEmpty())
                captioned << button;
        }
    }
    auto textOf = [](QWidget *w) {
        if (auto *label = qobject_cast<QLabel *>(w))
            return label->text();
        return static_cast<QAbstractButton *>(w)->text();
    };
    auto setTextOf = [](QWidget *w, const QString &text) {
        if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(text);
        else
            static_cast<QAbstractButton *>(w)->setText(text);
    };

    QSet<QChar> taken;
    for (QWidget *w : captioned) {
        clickOnShortcutAtOnce(*w);
        if (const QChar letter = mnemonicLetter(textOf(w)); !letter.isNull())
            taken.insert(letter);
    }
    for (QWidget *w : captioned) {
        const QString text = textOf(w);
        if (!mnemonicLetter(text).isNull())
            continue;
        // The first letters of the words first ("Режим B" gets B once Р is taken), then any.
        QList<qsizetype> order;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i == 0 || !text[i - 1].isLetterOrNumber())
                order << i;
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!order.contains(i))
                order << i;
        }
        for (const qsizetype i : order) {
            const QChar letter = text[i].toLower();
            if (!text[i].isLetter() || taken.contains(letter))
                continue;
            taken.insert(letter);
            QString marked = text;
            marked.replace(QStringLiteral("&"), QStringLiteral("&&"));
            // Every '&' before the letter was doubled, which moves the letter right.
            const qsizetype shift = text.left(i).count(u'&');
            marked.insert(i + shift, u'&');
            setTextOf(w, marked);
            break;
        }
    }
}
