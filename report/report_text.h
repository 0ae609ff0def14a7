// A text of a report template with its placeholders: {name} stands for the
// value of the report field of that name (any other name is an error),
// {page}, {pages} and {date} for the page number, the page count and today's
// date; {{ and }} write single braces.
#pragma once

#include <QString>
#include <functional>
#include <vector>

// The values a text is expanded with: one record's field values by field
// index (missing entries are empty), and where the text stands.
struct Report_Text_Values {
  const std::vector<QString>* record = nullptr;
  int page = 1;
  int pages = 1;
  QString date;
};

class Report_Text {
 public:
  struct Part {
    enum class Kind { literal, field, page, pages, date };
    Kind kind = Kind::literal;
    QString literal;  // the text of a literal part
    int field = -1;   // the index in the template's field names of a field part
  };

  // The index of the field of that name, or -1 when no field has it.
  using Field_Index = std::function<int(const QString& name)>;

  // Parses text; field_index gives each field its index. False, with the
  // reason in error and the position in text where it is in error_at, for an
  // unbalanced brace, an empty placeholder or one that names no field.
  static bool parse(const QString& text, const Field_Index& field_index, Report_Text& out, QString& error,
                    qsizetype& error_at);

  QString expand(const Report_Text_Values& values) const;
  bool uses(Part::Kind kind) const;
  // The number of placeholders of the text.
  int placeholder_count() const;

 private:
  std::vector<Part> parts;
};
