#include "app/forms/form2.h"

#include "app/forms/app_setup.h"
#include "app/forms/messages.h"
#include "app/model/list_position.h"
#include "platform/toolkit/dialogs.h"
#include "platform/toolkit/required_controls.h"

#include <QLineEdit>
#include <QListWidget>

namespace bastara::app {

struct Form2::Key { };

Form2::Form2(const Key&, QWidget& owner, TargetList targetList)
    : toolkit::Form(&owner)
    , m_targetList(std::move(targetList))
{ }

Result<std::unique_ptr<Form2>, toolkit::FormFileError> Form2::create(
    QWidget& owner, const toolkit::ControlRegistry& registry, TargetList targetList)
{
    const auto layout = toolkit::loadFormFile(QStringLiteral(":/bastara/forms/form2.json"));
    if (!layout)
        return Unexpected { layout.error() };
    auto form = std::make_unique<Form2>(Key {}, owner, std::move(targetList));
    if (auto loaded = form->load(*layout, registry); !loaded)
        return Unexpected { loaded.error() };
    if (auto connected = form->connectControls(); !connected)
        return Unexpected { connected.error() };
    return form;
}

Result<void, toolkit::FormFileError> Form2::connectControls()
{
    toolkit::RequiredControls required(*this);
    m_itemText = required.control<QLineEdit>(QStringLiteral("Text1"));
    m_position = required.control<QLineEdit>(QStringLiteral("Text2"));
    toolkit::ControlEvents* okButton = required.events(QStringLiteral("Command1"));
    if (auto found = required.check(); !found)
        return found;
    connect(okButton, &toolkit::ControlEvents::Click, this, &Form2::ok);
    // The dialog has no labels; readers name its boxes by what they hold.
    m_itemText->setAccessibleName(QStringLiteral("متن رديف"));
    m_position->setAccessibleName(QStringLiteral("موقعيت رديف"));
    return {};
}

void Form2::fill(int position, const QString& itemText)
{
    m_position->setText(QString::number(position));
    m_itemText->setText(itemText);
}

void Form2::ok()
{
    QListWidget& list = m_targetList();
    const QString typed = m_position->text();
    const auto rowCount = static_cast<std::size_t>(list.count());
    const auto position = listPosition(typed.toStdU16String(), rowCount);
    if (!position) {
        toolkit::showMessage(this, applicationTitle,
            positionProblemMessage(position.error(), typed, rowCount),
            toolkit::MessageIcon::Warning);
        return;
    }
    const int row = static_cast<int>(*position);
    std::unique_ptr<QListWidgetItem> replaced(list.takeItem(row));
    list.insertItem(row, m_itemText->text());
    emit entryReplaced();
    list.setFocus();
    close();
}

} // namespace bastara::app
