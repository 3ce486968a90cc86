#include "PictureCheckBoxAccessible.h"

#include "controls/MnemonicText.h"
#include "controls/PictureCheckBox.h"

#include <QAccessibleWidget>

#include <mutex>

namespace {

class PictureCheckBoxAccessible : public QAccessibleWidget {
public:
    explicit PictureCheckBoxAccessible(PictureCheckBox *box) : QAccessibleWidget(box, QAccessible::CheckBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            if (!name.isEmpty())
                return name;
            return withoutMnemonic(box()->caption());
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        // A box drawn disabled is reported so, whatever QWidget's own flag says (which
        // stays on so that a click still reaches the window).
        if (!box()->ownEnabled())
            state.disabled = true;
        state.checkable = true;
        state.checked = box()->isChecked();
        state.pressed = box()->isDown();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled() && box()->ownEnabled())
            names << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == toggleAction()) {
            box()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    PictureCheckBox *box() const { return static_cast<PictureCheckBox *>(widget()); }
};

QAccessibleInterface *createPictureCheckBoxAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(PictureCheckBox::staticMetaObject.className())) {
        if (auto *box = qobject_cast<PictureCheckBox *>(object))
            return new PictureCheckBoxAccessible(box);
    }
    return nullptr;
}

} // namespace

void installPictureCheckBoxAccessibility()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(createPictureCheckBoxAccessible); });
}
