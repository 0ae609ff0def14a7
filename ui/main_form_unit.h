// TMain_Form: the main window. It owns the one project of the run and shows
// it: the component panel in its scroll box, the component list, the
// test-area grid and the batch panel in the status bar, with the main menu,
// the tool bar, the two pop-up menus and the actions.
//
// Handlers stay thin: they call the model and the evaluation and then
// rebuild the views. Everything modal goes through UI_Services.
#pragma once

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <vector>

#include "export/project_export.h"
#include "model/rebound_project.h"
#include "project_info_host.h"
#include "report/report_data.h"

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QShowEvent;
class QFrame;
class QMenu;
class QMenuBar;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTableWidget;
class QToolBar;
class S_Batch_Panel;
class S_Component_Panel;
class S_String_Grid;
class TAbout_Form;
class TPermission_Setting_Form;
class TProject_Info_Form;
class TReport_Print_Preview;
class TReport_Setting_Form;
class UI_Services;

class TMain_Form : public QMainWindow, public Project_Info_Host {
  Q_OBJECT

 public:
  // The dialogs that the main window shows. They are created after it, in
  // the start-up order, and handed over with Set_Dialogs.
  struct Dialogs {
    TAbout_Form* about = nullptr;
    TReport_Print_Preview* print_preview = nullptr;
    TProject_Info_Form* project_info = nullptr;
    TPermission_Setting_Form* permission = nullptr;
    TReport_Setting_Form* report_setting = nullptr;
  };

  static const QString PROJECT_FILE_FILTER;
  static const QString DEVICE_FILE_FILTER;

  explicit TMain_Form(UI_Services& services);
  ~TMain_Form() override;

  void Set_Dialogs(const Dialogs& dialogs);

  // The view operations.
  void Show_Project() override;
  // Show_Project, then the row that was current is made current again (when
  // the list still has it), so that the same component stays shown.
  void Show_Project_Keeping_Current() override;
  void Store_Project_Info() override;
  void Clear_Component_Panel();
  void Show_Component_Areas(const R_Component* component);

  // The component of the current list row, or none.
  R_Component* current_component() const;

  // The open project; constructed with the window, never replaced.
  Rebound_Project project;
  // The field handles of the last report template loaded.
  tagGrid_Report_Field report_fields;
  UI_Services& services;

  // The project commands.
  void New_Project_ActExecute();
  // Open and import with paths chosen elsewhere: the project file is opened,
  // and the instrument files imported, as Open and Import do with them.
  void Open_Project_File(const std::filesystem::path& file);
  void Import_Device_Files(const std::vector<std::filesystem::path>& files);
  // Files given on the command line or dropped onto the window: each *.prj
  // (any letter case) is opened in turn, the others are imported together.
  // A relative path is taken from the current directory.
  void Open_Files(const std::vector<std::filesystem::path>& paths);
  void Open_ActExecute();
  void Save_ActExecute();
  void Import_Data_From_Dev_ActExecute();
  void Exit_ActExecute();
  void About_ActExecute();
  void Project_Info_ActExecute();
  void Permission_ActExecute();

  // The export commands.
  void Export_Excel_ActExecute();
  void Export_Csv_ActExecute();

  // The report commands.
  void Print_ActExecute();
  void Print_Preview_ActExecute();
  void Report_Setting_ActExecute();

  // The component list, the panel and the component commands.
  void Component_ListSelectItem();
  void Component_ListChange(int row);
  void Component_NameChange();
  void Component_DateChange();
  void Produced_DateChange();
  void Strength_Grade_CbChange(int index);
  void Bak_InfoChange();
  void Examine_BasisChange();
  void Device_TypeChange();
  void Device_numChange();
  void TesterChange();
  void Certificate_SerialChange();
  void Create_Component_ActExecute();
  void Remove_Component_ActExecute();
  void Caculate_ActExecute();

  // The test-area grid.
  void Areas_GridSetEditText(int ACol, int ARow, const QString& Value);
  // The cell editor closed: the cell shows what is stored again, so that a
  // text that was not taken never stays on screen.
  void Areas_GridEditorClosed(int ACol, int ARow);
  // Enter moves on from the cell as an accepted reading does.
  void Areas_GridEnter(int ACol, int ARow);
  void Create_Area_ActExecute();
  void Remove_Area_ActExecute();

  // The batch panel.
  void Group_Caculate_BtnClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  enum class Save_Result { Saved, Nothing_To_Save, Not_Saved };

  void create_actions();
  void create_menus();
  void create_tool_bar();
  void create_views();
  void connect_panel();

  // The steps of Save_ActExecute; New_Project_ActExecute and FormClose go
  // on only when the project was saved or there was nothing to save.
  Save_Result Save_Project();
  // True when no file of that name exists or the user agreed to replace it.
  bool Confirm_Replacing(const std::filesystem::path& file);
  // Writes the project's figures to a file the user names.
  void Export_Project(Export_Kind kind);
  void FormClose(QCloseEvent* event);
  // Lists the template folders in the report settings and saves them.
  void FormShow();

  // Makes the row current as a selection by the user does.
  void select_row(int row);
  // Rebuilds the rows and the count of ticked components beside them.
  void Rebuild_Component_List();
  void Show_Checked_Count();
  void Store_Component_Text(S_String R_Component::*field, const QString& text);
  // The text of a grid cell for the component: empty past its areas.
  static QString Area_Cell_Text(const R_Component& component, int ACol, int ARow);
  // Makes the cell after (ACol, ARow) current: the next reading, or from the
  // last reading and the two derived columns column 1 of the next row; on
  // the last row these stay.
  void Move_Past_Cell(int ACol, int ARow);

  // Controls and actions, named as their objectName: the tests find them
  // by that name.
  QMenuBar* MainMenu1;
  QObject* ActionList1;
  QToolBar* sToolBar1;
  QScrollArea* Project_Info_Box;
  S_Component_Panel* Component_Panel;
  QSplitter* sSplitter1;
  QSplitter* sSplitter2;
  QTableWidget* Component_List;
  QFrame* sPanel1;
  S_String_Grid* Areas_Grid;
  QStatusBar* sStatusBar1;
  S_Batch_Panel* Batch_Panel;
  QMenu* Component_View_Menu;
  QMenu* Area_View_Menu;

  QAction* New_Project_Act;
  QAction* Open_Act;
  QAction* Save_Act;
  QAction* Saveas_Act;
  QAction* Print_Act;
  QAction* Print_Preview_Act;
  QAction* Report_Setting_Act;
  QAction* Exit_Act;
  QAction* Import_Data_From_Dev_Act;
  QAction* Create_Component_Act;
  QAction* Remove_Component_Act;
  QAction* Create_Area_Act;
  QAction* Remove_Area_Act;
  QAction* Caculate_Act;
  QAction* Project_Info_Act;
  QAction* Permission_Act;
  QAction* About_Act;
  QAction* Export_Excel_Act;
  QAction* Export_Csv_Act;

  Dialogs dialogs_;
  // The row of Component_List whose component the panel shows, or -1.
  int current_item = -1;
  // Set once the window closes; the list's change events are then ignored.
  bool closing = false;
};
