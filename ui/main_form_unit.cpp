#include "main_form_unit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>

#include "batch_panel.h"
#include "component_panel.h"
#include "evaluation/caculate2.h"
#include "main_form_columns.h"
#include "model/project_workflows.h"
#include "model/s_messages.h"
#include "project_info_form_unit.h"
#include "report/rebound_tester_config.h"
#include "report/s_qt_text.h"
#include "report/ui_services.h"
#include "s_date_edit.h"
#include "s_icons.h"
#include "s_skin.h"
#include "s_string_grid.h"

namespace {

constexpr int CLIENT_WIDTH = 992;
constexpr int CLIENT_HEIGHT = 646;
constexpr int TOOL_BAR_HEIGHT = 35;
constexpr int TOOL_BUTTON_WIDTH = 31;
constexpr int ICON_SIZE = 24;
constexpr int PANEL_BOX_HEIGHT = 134;
constexpr int SPLITTER_WIDTH = 6;
constexpr int LIST_WIDTH = 257;
constexpr int STATUS_BAR_HEIGHT = 57;

constexpr int GRID_ROW_HEIGHT = 30;
constexpr int GRID_FONT_PIXELS = 12;
constexpr std::array<int, GRID_COLUMNS> GRID_COLUMN_WIDTHS = {40, 32, 30, 31, 31, 31, 31, 31, 32, 32,
                                                              31, 32, 32, 32, 31, 33, 32, 40, 40};

// The heading row of the test-area grid, prepared once.
const std::array<QString, GRID_COLUMNS>& area_grid_headings() {
  static const std::array<QString, GRID_COLUMNS> headings = [] {
    std::array<QString, GRID_COLUMNS> h;
    for (int c = GRID_NUMBER_COL; c <= GRID_LAST_READING_COL; ++c)
      h[static_cast<size_t>(c)] = QString::number(c);
    h[GRID_AVG_REBOUND_COL] = QStringLiteral("平均\n回弹");
    h[GRID_STRENGTH_COL] = QStringLiteral("换算\n强度");
    return h;
  }();
  return headings;
}

}  // namespace

const QString TMain_Form::PROJECT_FILE_FILTER = QStringLiteral("工程文件(*.prj)|*.prj|所有文件(*.*)|*.*");
const QString TMain_Form::DEVICE_FILE_FILTER = QStringLiteral("构件文件(*.R82)|*.R82|所有文件(*.*)|*.*");

TMain_Form::TMain_Form(UI_Services& ui_services) : services(ui_services) {
  setObjectName(QStringLiteral("TMain_Form"));
  setWindowTitle(QStringLiteral("RV820 数显回弹仪 V1.0a"));
  setWindowIcon(tool_icon(Tool_Icon::Program));
  create_actions();
  create_menus();
  create_tool_bar();
  create_views();
  connect_panel();
  setAcceptDrops(true);

  // The client area below the menu bar is 992 × 646, centred on the desktop.
  resize(CLIENT_WIDTH, CLIENT_HEIGHT + MainMenu1->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desktop = screen->availableGeometry();
    move(desktop.center() - rect().center());
  }

  Tester_Config().Load();
  if (Tester_Config().Config_Unusable()) {
    services.information(
        utf8_to_qstring(message_text(CONFIG_UNUSABLE_MSG, path_text(Tester_Config().config_file))));
  }
}

TMain_Form::~TMain_Form() {
  // The children go after the project: nothing they signal while they are
  // torn down may reach the handlers.
  closing = true;
  disconnect(Component_List, nullptr, this, nullptr);
  disconnect(Areas_Grid, nullptr, this, nullptr);
}

void TMain_Form::Set_Dialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }

void TMain_Form::create_actions() {
  ActionList1 = new QObject(this);
  ActionList1->setObjectName(QStringLiteral("ActionList1"));

  // Every action once: its member, name, category, caption, hint, tool icon
  // and handler. An action without a handler is disabled, as save-as is.
  struct Action_Entry {
    QAction* TMain_Form::*action;
    const char* name;
    const char* category;
    const char* caption;
    const char* hint;
    std::optional<Tool_Icon> icon;
    void (TMain_Form::*handler)();
  };
  using T = TMain_Form;
  static const Action_Entry actions[] = {
      {&T::New_Project_Act, "New_Project_Act", "File", "新建工程(&N)", "新建工程", Tool_Icon::New_Project,
       &T::New_Project_ActExecute},
      {&T::Open_Act, "Open_Act", "File", "打开(&O)", "打开", Tool_Icon::Open, &T::Open_ActExecute},
      {&T::Save_Act, "Save_Act", "File", "保存(&S)", "保存", Tool_Icon::Save, &T::Save_ActExecute},
      {&T::Saveas_Act, "Saveas_Act", "File", "另存为(&A)", "另存为...", std::nullopt, nullptr},
      {&T::Print_Act, "Print_Act", "File", "打印(&P)", "打印", Tool_Icon::Print, &T::Print_ActExecute},
      {&T::Print_Preview_Act, "Print_Preview_Act", "File", "打印预览(&V)", "打印预览",
       Tool_Icon::Print_Preview, &T::Print_Preview_ActExecute},
      {&T::Report_Setting_Act, "Report_Setting_Act", "File", "报表设置(&T)", nullptr, std::nullopt,
       &T::Report_Setting_ActExecute},
      {&T::Exit_Act, "Exit_Act", "File", "退出(&X)", "退出", Tool_Icon::Exit, &T::Exit_ActExecute},
      {&T::Import_Data_From_Dev_Act, "Import_Data_From_Dev_Act", "Edit", "导入构件(&I)", "导入数据",
       Tool_Icon::Import, &T::Import_Data_From_Dev_ActExecute},
      {&T::Create_Component_Act, "Create_Component_Act", "Edit", "新增构件(&A)", "新增构件",
       Tool_Icon::Create_Component, &T::Create_Component_ActExecute},
      {&T::Remove_Component_Act, "Remove_Component_Act", "Edit", "移除构件(&D)", "移除构件",
       Tool_Icon::Remove_Component, &T::Remove_Component_ActExecute},
      {&T::Create_Area_Act, "Create_Area_Act", "Edit", "新增测区(&C)", "新增测区", Tool_Icon::Create_Area,
       &T::Create_Area_ActExecute},
      {&T::Remove_Area_Act, "Remove_Area_Act", "Edit", "移除测区(&R)", "移除测区", Tool_Icon::Remove_Area,
       &T::Remove_Area_ActExecute},
      {&T::Caculate_Act, "Caculate_Act", "Edit", "计算构件(&U)", "计算构件", Tool_Icon::Caculate,
       &T::Caculate_ActExecute},
      {&T::Project_Info_Act, "Project_Info_Act", "Edit", "工程信息(&I)", nullptr, std::nullopt,
       &T::Project_Info_ActExecute},
      {&T::Permission_Act, "Permission_Act", "Edit", "权限设置(&P)", nullptr, std::nullopt,
       &T::Permission_ActExecute},
      {&T::About_Act, "About_Act", "About", "关于(&A)...", "关于...", std::nullopt, &T::About_ActExecute},
      {&T::Export_Excel_Act, "Export_Excel_Act", "File", "导出到Excel(&X)...", nullptr, std::nullopt,
       &T::Export_Excel_ActExecute},
      {&T::Export_Csv_Act, "Export_Csv_Act", "File", "导出到CSV(&C)...", nullptr, std::nullopt,
       &T::Export_Csv_ActExecute},
  };
  for (const Action_Entry& entry : actions) {
    auto* action = new QAction(utf8_to_qstring(entry.caption), ActionList1);
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setProperty("category", QString::fromLatin1(entry.category));
    if (entry.hint) action->setToolTip(utf8_to_qstring(entry.hint));
    if (entry.icon) action->setIcon(tool_icon(*entry.icon));
    if (entry.handler) {
      connect(action, &QAction::triggered, this, entry.handler);
    } else {
      action->setEnabled(false);
    }
    this->*entry.action = action;
  }

  // The permission entry is hidden and cannot be reached.
  Permission_Act->setVisible(false);
  Permission_Act->setEnabled(false);
}

void TMain_Form::create_menus() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

  QMenu* file = MainMenu1->addMenu(QStringLiteral("文件(&F)"));
  file->setObjectName(QStringLiteral("File_Menu"));
  file->addActions({New_Project_Act, Open_Act, Import_Data_From_Dev_Act});
  QMenu* export_menu = file->addMenu(QStringLiteral("导出(&E)"));
  export_menu->setObjectName(QStringLiteral("Export_Menu"));
  export_menu->addActions({Export_Excel_Act, Export_Csv_Act});
  file->addSeparator();
  file->addActions({Save_Act, Saveas_Act});
  file->addSeparator();
  file->addActions({Print_Act, Print_Preview_Act, Report_Setting_Act});
  file->addSeparator();
  file->addAction(Exit_Act);

  QMenu* operation = MainMenu1->addMenu(QStringLiteral("操作(&O)"));
  operation->setObjectName(QStringLiteral("Operation_Menu"));
  operation->addActions({Create_Component_Act, Remove_Component_Act});
  operation->addSeparator();
  operation->addActions({Create_Area_Act, Remove_Area_Act, Permission_Act});

  // Commands on the menu bar itself: a menu bar shows only the icon of an
  // action that has one, so each gets an entry of its own that shows the
  // caption and runs the action.
  for (QAction* action : {Project_Info_Act, Caculate_Act}) {
    auto* entry = new QAction(action->text(), MainMenu1);
    entry->setObjectName(action->objectName() + QStringLiteral("_Entry"));
    connect(entry, &QAction::triggered, action, &QAction::trigger);
    connect(action, &QAction::changed, entry, [entry, action] { entry->setEnabled(action->isEnabled()); });
    MainMenu1->addAction(entry);
  }

  QMenu* help = MainMenu1->addMenu(QStringLiteral("帮助(&H)"));
  help->setObjectName(QStringLiteral("Help_Menu"));
  help->addAction(About_Act);

  Component_View_Menu = new QMenu(this);
  Component_View_Menu->setObjectName(QStringLiteral("Component_View_Menu"));
  Component_View_Menu->addAction(Import_Data_From_Dev_Act);
  Component_View_Menu->addSeparator();
  Component_View_Menu->addActions({Create_Component_Act, Remove_Component_Act});

  Area_View_Menu = new QMenu(this);
  Area_View_Menu->setObjectName(QStringLiteral("Area_View_Menu"));
  Area_View_Menu->addActions({Create_Area_Act, Remove_Area_Act});
}

void TMain_Form::create_tool_bar() {
  sToolBar1 = addToolBar(QString());
  sToolBar1->setObjectName(QStringLiteral("sToolBar1"));
  sToolBar1->setMovable(false);
  sToolBar1->setFloatable(false);
  sToolBar1->toggleViewAction()->setVisible(false);
  sToolBar1->setIconSize(QSize(ICON_SIZE, ICON_SIZE));
  sToolBar1->setFixedHeight(TOOL_BAR_HEIGHT);
  // The buttons fill the bar's whole height, with no margin around them.
  sToolBar1->setStyleSheet(QStringLiteral("QToolBar { border: 0px; padding: 0px; spacing: 0px; }"));
  sToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  const std::initializer_list<std::initializer_list<QAction*>> groups = {
      {New_Project_Act, Open_Act, Save_Act},
      {Print_Act, Print_Preview_Act},
      {Create_Component_Act, Remove_Component_Act, Create_Area_Act, Remove_Area_Act},
      {Import_Data_From_Dev_Act},
      {Caculate_Act},
      {Exit_Act},
  };
  bool first = true;
  for (const auto& group : groups) {
    if (!first) sToolBar1->addSeparator();
    first = false;
    for (QAction* action : group) {
      sToolBar1->addAction(action);
      if (auto* button = qobject_cast<QToolButton*>(sToolBar1->widgetForAction(action))) {
        button->setFixedSize(TOOL_BUTTON_WIDTH, TOOL_BAR_HEIGHT);
      }
    }
  }
}

void TMain_Form::create_views() {
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  sSplitter1 = new QSplitter(Qt::Vertical, client);
  sSplitter1->setObjectName(QStringLiteral("sSplitter1"));
  sSplitter1->setHandleWidth(SPLITTER_WIDTH);
  sSplitter1->setChildrenCollapsible(false);
  layout->addWidget(sSplitter1);

  Project_Info_Box = new QScrollArea(sSplitter1);
  Project_Info_Box->setObjectName(QStringLiteral("Project_Info_Box"));
  Project_Info_Box->setWidgetResizable(false);
  Project_Info_Box->setMinimumHeight(40);
  // The box only scrolls; Tab passes through it to the panel's fields.
  Project_Info_Box->setFocusPolicy(Qt::NoFocus);
  Component_Panel = new S_Component_Panel;
  Project_Info_Box->setWidget(Component_Panel);
  Component_Panel->move(0, 0);

  sSplitter2 = new QSplitter(Qt::Horizontal, sSplitter1);
  sSplitter2->setObjectName(QStringLiteral("sSplitter2"));
  sSplitter2->setHandleWidth(SPLITTER_WIDTH);
  sSplitter2->setChildrenCollapsible(false);

  Component_List = new QTableWidget(0, LIST_COLUMNS, sSplitter2);
  Component_List->setObjectName(QStringLiteral("Component_List"));
  Component_List->setHorizontalHeaderLabels(
      {QStringLiteral("序号"), QStringLiteral("构件名称"), QStringLiteral("日期")});
  Component_List->horizontalHeaderItem(LIST_NUMBER)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Component_List->setColumnWidth(LIST_NUMBER, 55);
  Component_List->setColumnWidth(LIST_NAME, 100);
  Component_List->setColumnWidth(LIST_DATE, 100);
  Component_List->horizontalHeader()->setStretchLastSection(true);
  Component_List->horizontalHeader()->setHighlightSections(false);
  Component_List->verticalHeader()->hide();
  Component_List->setShowGrid(true);
  Component_List->setSelectionBehavior(QAbstractItemView::SelectRows);
  Component_List->setSelectionMode(QAbstractItemView::SingleSelection);
  Component_List->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Tab goes on to the next control; the arrow keys choose the row.
  Component_List->setTabKeyNavigation(false);
  style_focus_frame(*Component_List);
  Component_List->setWordWrap(false);
  Component_List->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Component_List, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    Component_View_Menu->popup(Component_List->viewport()->mapToGlobal(at));
  });
  connect(Component_List, &QTableWidget::itemChanged, this,
          [this](QTableWidgetItem* item) { Component_ListChange(item->row()); });
  connect(Component_List, &QTableWidget::itemSelectionChanged, this, [this] {
    const QModelIndexList rows = Component_List->selectionModel()->selectedRows();
    if (!rows.isEmpty()) Component_ListChange(rows.first().row());
    Component_ListSelectItem();
  });

  sPanel1 = new QFrame(sSplitter2);
  sPanel1->setObjectName(QStringLiteral("sPanel1"));
  auto* grid_layout = new QVBoxLayout(sPanel1);
  grid_layout->setContentsMargins(0, 0, 0, 0);
  Areas_Grid = new S_String_Grid(GRID_COLUMNS, 2, sPanel1);
  Areas_Grid->setObjectName(QStringLiteral("Areas_Grid"));
  style_focus_frame(*Areas_Grid);
  QFont grid_font = Areas_Grid->font();
  grid_font.setPixelSize(GRID_FONT_PIXELS);
  Areas_Grid->setFont(grid_font);
  Areas_Grid->set_default_row_height(GRID_ROW_HEIGHT);
  for (int c = 0; c < GRID_COLUMNS; ++c) {
    Areas_Grid->set_col_width(c, GRID_COLUMN_WIDTHS[static_cast<size_t>(c)]);
    Areas_Grid->set_cell(c, 0, area_grid_headings()[static_cast<size_t>(c)]);
  }
  Areas_Grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Areas_Grid, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { Area_View_Menu->popup(Areas_Grid->viewport()->mapToGlobal(at)); });
  connect(Areas_Grid, &S_String_Grid::edit_text_set, this, &TMain_Form::Areas_GridSetEditText);
  connect(Areas_Grid, &S_String_Grid::editor_closed, this, &TMain_Form::Areas_GridEditorClosed);
  connect(Areas_Grid, &S_String_Grid::enter_pressed, this, &TMain_Form::Areas_GridEnter);
  grid_layout->addWidget(Areas_Grid);

  sSplitter1->setSizes({PANEL_BOX_HEIGHT, CLIENT_HEIGHT});
  sSplitter1->setStretchFactor(0, 0);
  sSplitter1->setStretchFactor(1, 1);
  sSplitter2->setSizes({LIST_WIDTH, CLIENT_WIDTH});
  sSplitter2->setStretchFactor(0, 0);
  sSplitter2->setStretchFactor(1, 1);
  setCentralWidget(client);

  sStatusBar1 = new QStatusBar(this);
  sStatusBar1->setObjectName(QStringLiteral("sStatusBar1"));
  sStatusBar1->setFixedHeight(STATUS_BAR_HEIGHT);
  sStatusBar1->setSizeGripEnabled(false);
  // The batch panel covers the whole status bar, so that its controls stand
  // at their places in the bar itself.
  Batch_Panel = new S_Batch_Panel(sStatusBar1);
  Batch_Panel->setObjectName(QStringLiteral("Batch_Panel"));
  setStatusBar(sStatusBar1);
  connect(Batch_Panel->Group_Caculate_Btn, &QCheckBox::clicked, this, &TMain_Form::Group_Caculate_BtnClick);

  // Tab leads from the panel's last field through the list, the grid and
  // the batch panel, and from there round to the panel's first field.
  QWidget* const tab_chain[] = {Component_Panel->Bak_Info, Component_List, Areas_Grid,
                                Batch_Panel->Group_Caculate_Btn, Batch_Panel->Group_Strength_Grade_Cb};
  for (size_t i = 1; i < std::size(tab_chain); ++i) setTabOrder(tab_chain[i - 1], tab_chain[i]);
}

void TMain_Form::connect_panel() {
  // The handlers run on the user's edits only, so filling the panel from a
  // component never writes into it.
  S_Component_Panel* p = Component_Panel;
  const std::pair<QLineEdit*, void (TMain_Form::*)()> texts[] = {
      {p->Component_Name, &TMain_Form::Component_NameChange},
      {p->Bak_Info, &TMain_Form::Bak_InfoChange},
      {p->Examine_Basis, &TMain_Form::Examine_BasisChange},
      {p->Device_Type, &TMain_Form::Device_TypeChange},
      {p->Device_num, &TMain_Form::Device_numChange},
      {p->Tester, &TMain_Form::TesterChange},
      {p->Certificate_Serial, &TMain_Form::Certificate_SerialChange},
  };
  for (const auto& [edit, handler] : texts) connect(edit, &QLineEdit::textEdited, this, handler);
  connect(p->Component_Date, &S_Date_Edit::date_edited, this, &TMain_Form::Component_DateChange);
  connect(p->Produced_Date, &S_Date_Edit::date_edited, this, &TMain_Form::Produced_DateChange);
  connect(p->Strength_Grade_Cb, &QComboBox::activated, this, &TMain_Form::Strength_Grade_CbChange);
}

R_Component* TMain_Form::current_component() const {
  return current_item >= 0 ? project.component(current_item) : nullptr;
}

void TMain_Form::Show_Project() {
  if (dialogs_.project_info) dialogs_.project_info->Show_Project_Info(project);
  Rebuild_Component_List();
  if (project.component_count() > 0) select_row(0);
}

void TMain_Form::Show_Project_Keeping_Current() {
  const int row = current_item;
  Show_Project();
  if (row > 0 && row < Component_List->rowCount()) select_row(row);
}

void TMain_Form::Rebuild_Component_List() {
  current_item = -1;
  Component_List->setRowCount(0);
  const int count = static_cast<int>(project.component_count());
  Component_List->setRowCount(count);
  for (int row = 0; row < count; ++row) {
    const R_Component& c = *project.component(row);
    auto* number = new QTableWidgetItem(QString::number(row + 1));
    number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    number->setCheckState(c.is_checked() ? Qt::Checked : Qt::Unchecked);
    Component_List->setItem(row, LIST_NUMBER, number);
    for (auto [column, text] :
         {std::pair{LIST_NAME, &c.component_name}, std::pair{LIST_DATE, &c.component_date}}) {
      auto* cell = new QTableWidgetItem(to_qstring(*text));
      cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      cell->setTextAlignment(Qt::AlignCenter);
      Component_List->setItem(row, column, cell);
    }
  }
  Show_Checked_Count();
}

void TMain_Form::select_row(int row) {
  Component_List->selectRow(row);
  if (QTableWidgetItem* item = Component_List->item(row, LIST_NUMBER)) Component_List->scrollToItem(item);
}

void TMain_Form::Store_Project_Info() {
  if (dialogs_.project_info) dialogs_.project_info->Store_Project_Info(project);
}

void TMain_Form::Clear_Component_Panel() {
  Component_Panel->clear_panel();
  const R_Component blank;
  Show_Component_Areas(&blank);
}

void TMain_Form::Show_Component_Areas(const R_Component* component) {
  if (!component) return;
  const int count = static_cast<int>(std::min(component->get_area_count(), MAX_AREAS));
  Areas_Grid->set_row_count(count + 1);
  // A component without areas shows its one row of cells empty.
  for (int row = 1; row < Areas_Grid->row_count(); ++row) {
    for (int col = 0; col < GRID_COLUMNS; ++col) {
      Areas_Grid->set_cell(col, row, Area_Cell_Text(*component, col, row));
    }
  }
}
