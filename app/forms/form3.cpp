#include "app/forms/form3.h"

#include "app/model/field_types.h"
#include "platform/toolkit/labelled_controls.h"
#include "platform/toolkit/required_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace bastara::app {

struct Form3::Key { };

Form3::Form3(const Key&, QWidget& owner, AppendRow appendRow)
    : toolkit::Form(&owner)
    , m_appendRow(std::move(appendRow))
{ }

Result<std::unique_ptr<Form3>, toolkit::FormFileError> Form3::create(
    QWidget& owner, const toolkit::ControlRegistry& registry, AppendRow appendRow)
{
    const auto layout = toolkit::loadFormFile(QStringLiteral(":/bastara/forms/form3.json"));
    if (!layout)
        return Unexpected { layout.error() };
    auto form = std::make_unique<Form3>(Key {}, owner, std::move(appendRow));
    if (auto loaded = form->load(*layout, registry); !loaded)
        return Unexpected { loaded.error() };
    if (auto connected = form->connectControls(); !connected)
        return Unexpected { connected.error() };
    form->fillTypeList();
    return form;
}

Result<void, toolkit::FormFileError> Form3::connectControls()
{
    toolkit::RequiredControls required(*this);
    m_fieldName = required.control<QLineEdit>(QStringLiteral("Text1"));
    m_typeName = required.control<QComboBox>(QStringLiteral("Combo1"));
    m_sizeText = required.control<QLineEdit>(QStringLiteral("Text2"));
    toolkit::ControlEvents* confirmButton = required.events(QStringLiteral("kzButtons_H1"));
    toolkit::ControlEvents* finishButton = required.events(QStringLiteral("kzButtons_H2"));
    QLabel* fieldNameLabel = required.control<QLabel>(QStringLiteral("Label2"));
    QLabel* typeNameLabel = required.control<QLabel>(QStringLiteral("Label1"));
    QLabel* sizeLabel = required.control<QLabel>(QStringLiteral("Label3"));
    if (auto found = required.check(); !found)
        return found;
    toolkit::nameByLabel(*fieldNameLabel, *m_fieldName);
    toolkit::nameByLabel(*typeNameLabel, *m_typeName);
    toolkit::nameByLabel(*sizeLabel, *m_sizeText);
    connect(confirmButton, &toolkit::ControlEvents::Click, this, &Form3::confirm);
    connect(finishButton, &toolkit::ControlEvents::Click, this, &Form3::finish);
    return {};
}

// The offered names are items to pick; the text typed in the layout stays
// and no item is selected.
void Form3::fillTypeList()
{
    const QString initialText = m_typeName->currentText();
    for (std::u16string_view name : offeredTypeNames)
        m_typeName->addItem(QString::fromStdU16String(std::u16string(name)));
    m_typeName->setCurrentIndex(-1);
    m_typeName->setEditText(initialText);
}

void Form3::confirm()
{
    const QString fieldName = m_fieldName->text();
    const QString sizeText = m_sizeText->text();
    const QString typeName = m_typeName->currentText();
    if (fieldName.isEmpty() || sizeText.isEmpty() || typeName.isEmpty())
        return;
    m_appendRow(fieldName, typeName, sizeText);
    m_fieldName->clear();
    m_fieldName->setFocus();
}

void Form3::finish()
{
    close();
}

} // namespace bastara::app
