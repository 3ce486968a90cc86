#include "CounterLabel.h"

#include <QAccessibleWidget>

#include <mutex>

namespace {

class CounterLabelAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit CounterLabelAccessible(CounterLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return label()->spokenText();
        if (t == QAccessible::Value)
            return label()->text();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return label()->text().toInt(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    CounterLabel *label() const { return static_cast<CounterLabel *>(widget()); }
};

QAccessibleInterface *createCounterLabelAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(CounterLabel::staticMetaObject.className())) {
        if (auto *label = qobject_cast<CounterLabel *>(object))
            return new CounterLabelAccessible(label);
    }
    return nullptr;
}

} // namespace

CounterLabel::CounterLabel(const QString &caption, QWidget *parent) : QLabel(parent), caption_(caption)
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(createCounterLabelAccessible); });
}

QString CounterLabel::spokenText() const
{
    const QString number = text();
    return number.isEmpty() ? caption_ : caption_ + QStringLiteral(": ") + number;
}
