// What the project information dialog asks of the window that shows it: to
// fill the dialog from the project, and to store the dialog back into it.
#pragma once

class Project_Info_Host {
 public:
  virtual void Show_Project() = 0;
  virtual void Store_Project_Info() = 0;

 protected:
  ~Project_Info_Host() = default;
};
