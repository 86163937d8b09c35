#include "kordbeditors.h"

#include <QBoxLayout>
#include <QMenu>

#include "componentlink.h"
#include "datasourcelink.h"

// ---- TKorDBCustomEditor -------------------------------------------------------------------

TKorDBCustomEditor::TKorDBCustomEditor(QObject *AOwner)
    : TKorWinControl(AOwner), m_PickList(std::make_unique<TStrings>()),
      m_PickText(std::make_unique<TStrings>()), m_edit(new QLineEdit(this))
{
    m_edit->setObjectName(QStringLiteral("Edit"));
    connect(m_PickList.get(), &TStrings::changed, this, &TKorDBCustomEditor::Changed);
    connect(m_PickText.get(), &TStrings::changed, this, &TKorDBCustomEditor::Changed);
    // A value the field refuses while the user types reverts the display; nothing is thrown
    // through the event loop.
    connect(m_edit, &QLineEdit::editingFinished, this, [this] {
        try {
            UpdateRecord();
        } catch (const EHostError &) {
        }
    });
    resize(121, 21);
}

TKorDBCustomEditor::~TKorDBCustomEditor()
{
    DropConnections(m_sourceConnections);
    m_PickList->disconnect(this);
    m_PickText->disconnect(this);
    m_edit->disconnect(this);
}

void TKorDBCustomEditor::setDataSource(TDataSource *Value)
{
    if (m_dataSource == Value)
        return;
    m_dataSource = Value;
    LinkDataSource(this, Value, m_sourceConnections, &TKorDBCustomEditor::UpdateDisplay,
                   &TKorDBCustomEditor::UpdateDisplay);
    Changed();
}

void TKorDBCustomEditor::DropLinks(TComponent *Gone)
{
    TKorWinControl::DropLinks(Gone);
    if (DropLink(m_dataSource, Gone)) {
        DropConnections(m_sourceConnections);
    }
    DropLink(m_LookupDataSet, Gone);
    UpdateDisplay();
}

TDataSet *TKorDBCustomEditor::DataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

QString TKorDBCustomEditor::DisplayText() const
{
    const TField *field = Field();
    return field ? field->AsString() : QString();
}

bool TKorDBCustomEditor::EditorReadOnly() const
{
    const TField *field = Field();
    return !field || !field->IsData() || field->ReadOnly() || field->DataSet()->RecNo() < 1;
}

void TKorDBCustomEditor::UpdateDisplay()
{
    m_edit->setText(DisplayText());
    m_edit->setReadOnly(EditorReadOnly());
}

void TKorDBCustomEditor::UpdateRecord()
{
    TField *field = Field();
    if (!field || EditorReadOnly() || m_edit->text() == DisplayText())
        return;
    try {
        field->SetValue(m_edit->text());
    } catch (const EHostError &) {
        UpdateDisplay();
        throw;
    }
}

void TKorDBCustomEditor::LayoutControls()
{
    m_edit->setGeometry(rect());
}

void TKorDBCustomEditor::Changed()
{
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, ColorToQColor(ColorRGB(Color())));
    m_edit->setPalette(palette);
    LayoutControls();
    UpdateDisplay();
    TKorWinControl::Changed();
}

// ---- TKorDBDataEditor ---------------------------------------------------------------------

TKorDBDataEditor::TKorDBDataEditor(QObject *AOwner)
    : TKorDBCustomEditor(AOwner), m_label(new QLabel(this))
{
    m_label->setObjectName(QStringLiteral("EditLabel"));
    m_label->hide();
}

TKorDBDataEditor::~TKorDBDataEditor()
{
    for (const auto &connection : std::as_const(m_gridConnections))
        disconnect(connection);
}

void TKorDBDataEditor::setDBGrid(TKorCustomDBGrid *Value)
{
    if (m_grid == Value)
        return;
    for (const auto &connection : std::as_const(m_gridConnections))
        disconnect(connection);
    m_gridConnections.clear();
    m_grid.set(Value);
    if (Value) {
        // A grid is a widget: it announces its end through Notification, early enough.
        FreeNotification(Value);
        m_gridConnections.append(connect(Value, &TKorCustomDBGrid::selectionMoved, this,
                                         &TKorDBDataEditor::UpdateDisplay));
    }
    Changed();
}

void TKorDBDataEditor::DropLinks(TComponent *Gone)
{
    if (m_grid.drop(Gone)) {
        for (const auto &connection : std::as_const(m_gridConnections))
            disconnect(connection);
        m_gridConnections.clear();
    }
    TKorDBCustomEditor::DropLinks(Gone);
}

TKorColumn *TKorDBDataEditor::GridColumn() const
{
    TKorCustomDBGrid *grid = m_grid.data();
    return grid && !DataColumn().isEmpty() ? grid->Columns()->ColumnByDisplayName(DataColumn())
                                           : nullptr;
}

TDataSet *TKorDBDataEditor::DataSet() const
{
    TKorCustomDBGrid *grid = m_grid.data();
    return grid ? grid->DataSet() : TKorDBCustomEditor::DataSet();
}

TField *TKorDBDataEditor::Field() const
{
    if (m_grid.data())
        if (TKorColumn *column = GridColumn())
            return column->Field();
    TDataSet *dataSet = DataSet();
    return dataSet && !DataField().isEmpty() ? dataSet->FindField(DataField()) : nullptr;
}

QString TKorDBDataEditor::DisplayText() const
{
    const QString text = TKorDBCustomEditor::DisplayText();
    switch (CharCase()) {
    case Vcl::ecUpperCase:
        return text.toUpper();
    case Vcl::ecLowerCase:
        return text.toLower();
    default:
        return text;
    }
}

bool TKorDBDataEditor::EditorReadOnly() const
{
    if (TKorDBCustomEditor::EditorReadOnly())
        return true;
    const TKorColumn *column = GridColumn();
    TKorCustomDBGrid *grid = m_grid.data();
    return (column && column->ReadOnly()) || (grid && grid->ReadOnly());
}

QString TKorDBDataEditor::LabelText() const
{
    const TField *field = Field();
    return field ? field->DisplayName() : DataField();
}

void TKorDBDataEditor::LayoutControls()
{
    m_label->setVisible(LabelVisible());
    m_label->setText(LabelText());
    m_edit->setMaxLength(MaxLength() > 0 ? MaxLength() : 32767);
    QRect edit = rect();
    if (LabelVisible()) {
        const QSize hint = m_label->sizeHint();
        const int spacing = LabelSpacing();
        switch (LabelPosition()) {
        case Kor::lpAbove:
            m_label->setGeometry(0, 0, width(), hint.height());
            edit.setTop(hint.height() + spacing);
            break;
        case Kor::lpBelow:
            m_label->setGeometry(0, height() - hint.height(), width(), hint.height());
            edit.setBottom(height() - hint.height() - spacing - 1);
            break;
        case Kor::lpLeft:
            m_label->setGeometry(0, 0, hint.width(), height());
            edit.setLeft(hint.width() + spacing);
            break;
        case Kor::lpRight:
            m_label->setGeometry(width() - hint.width(), 0, hint.width(), height());
            edit.setRight(width() - hint.width() - spacing - 1);
            break;
        }
    }
    m_edit->setGeometry(edit);
}

void TKorDBDataEditor::Changed()
{
    TKorDBCustomEditor::Changed();
}

// ---- TKorDBEditor -------------------------------------------------------------------------

TKorDBEditor::TKorDBEditor(QObject *AOwner)
    : TKorDBDataEditor(AOwner), m_button(new QToolButton(this))
{
    m_button->setObjectName(QStringLiteral("Button"));
    m_button->setText(QStringLiteral("\u25BE"));
    m_button->setFocusPolicy(Qt::NoFocus);
    connect(m_button, &QToolButton::clicked, this, &TKorDBEditor::buttonClicked);
    Changed();
}

TKorDBEditor::~TKorDBEditor()
{
    m_button->disconnect(this);
}

void TKorDBEditor::DropLinks(TComponent *Gone)
{
    DropLink(m_Images, Gone);
    TKorDBDataEditor::DropLinks(Gone);
}

bool TKorDBEditor::HasButton() const
{
    switch (ButtonStyle()) {
    case Kor::cbsNone:
    case Kor::cbsUpDown:
        return false;
    case Kor::cbsAuto:
        return PickList()->Count() > 0 || LookupDataSet() != nullptr;
    default:
        return true;
    }
}

QString TKorDBEditor::DisplayText() const
{
    if (PickIndex() >= 0 && PickIndex() < PickList()->Count() && !Field())
        return PickList()->Strings(PickIndex());
    return TKorDBDataEditor::DisplayText();
}

void TKorDBEditor::SelectPickItem(int Index)
{
    if (Index < -1 || Index >= PickList()->Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    setPickIndex(Index);
    TField *field = Field();
    if (Index < 0 || !field || EditorReadOnly())
        return;
    QVariant value = PickList()->Strings(Index);
    if (PickOptions() & Kor::poStoreItemIndex)
        value = Index;
    else if ((PickOptions() & Kor::poSelectPickText) && Index < PickText()->Count())
        value = PickText()->Strings(Index);
    field->SetValue(value);
}

void TKorDBEditor::buttonClicked()
{
    if (ButtonStyle() == Kor::cbsDropDownMenu) {
        if (TPopupMenu *menu = PopupMenu())
            menu->Popup(mapToGlobal(rect().bottomLeft()));
        return;
    }
    if (PickList()->Count() == 0)
        return;
    // The list drops down without waiting; a choice arrives through the triggered action.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int i = 0; i < PickList()->Count(); ++i) {
        QAction *action = menu->addAction(PickList()->Strings(i));
        connect(action, &QAction::triggered, this, [this, i] {
            try {
                SelectPickItem(i);
            } catch (const EHostError &) {
                UpdateDisplay(); // the field refused the entry: show its value again
            }
        });
    }
    menu->popup(mapToGlobal(rect().bottomLeft()));
}

void TKorDBEditor::LayoutControls()
{
    TKorDBDataEditor::LayoutControls();
    if (!m_button)
        return;
    const bool shown = HasButton();
    m_button->setVisible(shown);
    if (shown) {
        QRect edit = m_edit->geometry();
        const int size = edit.height();
        m_button->setGeometry(edit.right() - size + 1, edit.top(), size, size);
        edit.setRight(edit.right() - size);
        m_edit->setGeometry(edit);
    }
}

void TKorDBEditor::Changed()
{
    TKorDBDataEditor::Changed();
    m_edit->setLayoutDirection(SuppressRTL() ? Qt::LeftToRight : layoutDirection());
}

// ---- TKorDBColumn -------------------------------------------------------------------------

TKorDBColumn::TKorDBColumn(QObject *AOwner) : TKorDBDataEditor(AOwner)
{
    setLabelVisible(true);
}

QString TKorDBColumn::LabelText() const
{
    if (const TKorColumn *column = GridColumn())
        return column->Title()->Caption();
    return TKorDBDataEditor::LabelText();
}
