// S_String_Grid: a grid of text cells with one fixed heading row and one
// fixed first column, addressed as (column, row) with the fixed ones at 0.
// Its cell editor reports every change of its text (each keystroke) and once
// more when it closes; by then the grid holds that text in the cell.
//
// The arrow keys move between the cells, also out of an open editor; Enter
// is reported to the owner, who decides where it leads. Tab and Shift+Tab
// leave the grid for the next or previous control of the window.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

class QLineEdit;

class S_String_Grid_Model : public QAbstractTableModel {
  Q_OBJECT

 public:
  S_String_Grid_Model(int col_count, int row_count, QObject* parent);

  int col_count() const { return col_count_; }
  int row_count() const { return static_cast<int>(cells_.size()); }
  void set_row_count(int row_count);
  QString cell(int col, int row) const;
  void set_cell(int col, int row, const QString& text);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  int col_count_;
  std::vector<std::vector<QString>> cells_;  // [row][col], fixed row and column included
};

class S_String_Grid : public QTableView {
  Q_OBJECT

 public:
  S_String_Grid(int col_count, int row_count, QWidget* parent = nullptr);

  int col_count() const { return model_->col_count(); }
  int row_count() const { return model_->row_count(); }
  // At least the heading row and one row of cells.
  void set_row_count(int row_count);
  QString cell(int col, int row) const { return model_->cell(col, row); }
  void set_cell(int col, int row, const QString& text) { model_->set_cell(col, row, text); }

  void set_col_width(int col, int width);
  void set_default_row_height(int height);

  // The current cell; 0 when there is none (the fixed ones cannot be current).
  int col() const;
  int row() const;
  void set_current(int col, int row);
  // The open cell editor, if any.
  QLineEdit* cell_editor() const;

 signals:
  // The editor of the cell (col, row) holds a new text, or it closes with it.
  void edit_text_set(int col, int row, const QString& value);
  // The editor of the cell (col, row) has closed, after its last edit_text_set.
  void editor_closed(int col, int row);
  // Enter was pressed on the cell (col, row), which is still the current one.
  void enter_pressed(int col, int row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  friend class S_Grid_Cell_Delegate;
  void editor_opened(const QModelIndex& index);
  void editor_text(const QModelIndex& index, const QString& text);
  // Closes the open editor with its text and reports Enter on its cell,
  // unless taking the text moved the current cell on already.
  void enter_in_editor(QWidget* editor);

  S_String_Grid_Model* model_;
  QPersistentModelIndex edited_;  // the cell of the open editor
};

// The delegate behind the grid's cell editor.
class S_Grid_Cell_Delegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit S_Grid_Cell_Delegate(S_String_Grid& grid);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  S_String_Grid& grid_;
};
