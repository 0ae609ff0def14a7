#include "s_string_grid.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>

S_String_Grid_Model::S_String_Grid_Model(int col_count, int row_count, QObject* parent)
    : QAbstractTableModel(parent),
      col_count_(col_count),
      cells_(static_cast<size_t>(std::max(row_count, 1)),
             std::vector<QString>(static_cast<size_t>(col_count))) {}

void S_String_Grid_Model::set_row_count(int row_count) {
  const int old_count = this->row_count();
  row_count = std::max(row_count, 1);
  if (row_count < old_count) {
    beginRemoveRows(QModelIndex(), row_count - 1, old_count - 2);
    cells_.resize(static_cast<size_t>(row_count));
    endRemoveRows();
  } else if (row_count > old_count) {
    beginInsertRows(QModelIndex(), old_count - 1, row_count - 2);
    cells_.resize(static_cast<size_t>(row_count), std::vector<QString>(static_cast<size_t>(col_count_)));
    endInsertRows();
  }
}

QString S_String_Grid_Model::cell(int col, int row) const {
  if (col < 0 || col >= col_count_ || row < 0 || row >= row_count()) return QString();
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void S_String_Grid_Model::set_cell(int col, int row, const QString& text) {
  if (col < 0 || col >= col_count_ || row < 0 || row >= row_count()) return;
  QString& stored = cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  if (stored == text) return;
  stored = text;
  if (row == 0 && col > 0) {
    emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
  } else if (col == 0 && row > 0) {
    emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
  } else if (row > 0) {
    const QModelIndex at = index(row - 1, col - 1);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
  }
}

int S_String_Grid_Model::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : row_count() - 1;
}

int S_String_Grid_Model::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : col_count_ - 1;
}

QVariant S_String_Grid_Model::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) return cell(index.column() + 1, index.row() + 1);
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

bool S_String_Grid_Model::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  set_cell(index.column() + 1, index.row() + 1, value.toString());
  return true;
}

QVariant S_String_Grid_Model::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::DisplayRole) {
    return orientation == Qt::Horizontal ? cell(section + 1, 0) : cell(0, section + 1);
  }
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

Qt::ItemFlags S_String_Grid_Model::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

S_Grid_Cell_Delegate::S_Grid_Cell_Delegate(S_String_Grid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

QWidget* S_Grid_Cell_Delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  editor->setAlignment(Qt::AlignCenter);
  grid_.editor_opened(index);
  const QPersistentModelIndex at(index);
  connect(editor, &QLineEdit::textEdited, &grid_, [this, at](const QString& text) {
    if (at.isValid()) grid_.editor_text(at, text);
  });
  return editor;
}

void S_Grid_Cell_Delegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  // The cell's text changes under an open editor when a change handler
  // rewrites it; an equal text is left alone so that the caret stays.
  auto* line = static_cast<QLineEdit*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  if (line->text() != text) line->setText(text);
}

void S_Grid_Cell_Delegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                        const QModelIndex& index) const {
  grid_.editor_text(index, static_cast<QLineEdit*>(editor)->text());
}

bool S_Grid_Cell_Delegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  if (editor && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        grid_.enter_in_editor(editor);
        return true;
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
        // The arrows move between the cells, not the caret in the text.
        QCoreApplication::sendEvent(&grid_, event);
        return true;
      default:
        break;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

S_String_Grid::S_String_Grid(int col_count, int row_count, QWidget* parent)
    : QTableView(parent), model_(new S_String_Grid_Model(col_count, row_count, this)) {
  setModel(model_);
  setItemDelegate(new S_Grid_Cell_Delegate(*this));
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setWordWrap(false);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // Narrow columns of two or three digits keep the widths they are given.
  horizontalHeader()->setMinimumSectionSize(16);
  // Below the last row and right of the last column the grid shows its
  // background, not the heading colour.
  for (QHeaderView* header : {verticalHeader(), horizontalHeader()}) {
    QPalette empty_area = header->palette();
    empty_area.setColor(QPalette::Window, empty_area.color(QPalette::Base));
    header->setPalette(empty_area);
  }
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
}

void S_String_Grid::set_row_count(int row_count) { model_->set_row_count(std::max(row_count, 2)); }

void S_String_Grid::set_col_width(int col, int width) {
  if (col == 0) {
    verticalHeader()->setFixedWidth(width);
  } else {
    setColumnWidth(col - 1, width);
  }
}

void S_String_Grid::set_default_row_height(int height) {
  verticalHeader()->setDefaultSectionSize(height);
  verticalHeader()->setMinimumSectionSize(std::min(height, verticalHeader()->minimumSectionSize()));
}

int S_String_Grid::col() const {
  const QModelIndex at = currentIndex();
  return at.isValid() ? at.column() + 1 : 0;
}

int S_String_Grid::row() const {
  const QModelIndex at = currentIndex();
  return at.isValid() ? at.row() + 1 : 0;
}

void S_String_Grid::set_current(int col, int row) {
  const QModelIndex at = model_->index(row - 1, col - 1);
  if (at.isValid() && at != currentIndex()) setCurrentIndex(at);
}

QLineEdit* S_String_Grid::cell_editor() const {
  const QModelIndex at = currentIndex();
  return at.isValid() ? qobject_cast<QLineEdit*>(indexWidget(at)) : nullptr;
}

void S_String_Grid::editor_opened(const QModelIndex& index) { edited_ = index; }

void S_String_Grid::enter_in_editor(QWidget* editor) {
  const QPersistentModelIndex at = edited_;
  emit itemDelegate()->commitData(editor);
  if (indexWidget(at) == editor) closeEditor(editor, QAbstractItemDelegate::NoHint);
  if (at.isValid() && currentIndex() == at) emit enter_pressed(at.column() + 1, at.row() + 1);
}

void S_String_Grid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (currentIndex().isValid()) emit enter_pressed(col(), row());
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void S_String_Grid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Tab and Shift+Tab in the editor leave the grid instead of editing the
  // next or previous cell.
  const bool to_next = hint == QAbstractItemDelegate::EditNextItem;
  const bool leaving = to_next || hint == QAbstractItemDelegate::EditPreviousItem;
  const QPersistentModelIndex at = edited_;
  edited_ = QPersistentModelIndex();
  QTableView::closeEditor(editor, leaving ? QAbstractItemDelegate::NoHint : hint);
  if (at.isValid()) emit editor_closed(at.column() + 1, at.row() + 1);
  if (leaving) focusNextPrevChild(to_next);
}

void S_String_Grid::editor_text(const QModelIndex& index, const QString& text) {
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  model_->set_cell(col, row, text);
  emit edit_text_set(col, row, text);
}

bool S_String_Grid::eventFilter(QObject* watched, QEvent* event) {
  // The corner button is the heading cell of the fixed column: it shows that
  // cell's text like the other heading cells.
  auto* corner = qobject_cast<QAbstractButton*>(watched);
  if (corner && event->type() == QEvent::Paint) {
    QPainter painter(corner);
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    option.text = cell(0, 0);
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
    return true;
  }
  return QTableView::eventFilter(watched, event);
}
