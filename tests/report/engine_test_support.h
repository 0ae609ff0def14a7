// Helpers of the report engine tests: template files in a temporary folder,
// and the PDF reader in the Qt texts these tests compare.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cctype>
#include <string>
#include <vector>

#include "tests/report/pdf_reader.h"

inline QString write_test_file(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

inline QString run_tool(const QString& program, const QStringList& arguments) {
  std::vector<std::string> words;
  for (const QString& argument : arguments) words.push_back(argument.toStdString());
  return QString::fromStdString(pdf_reader::run_tool(program.toStdString(), words));
}

// The text of one page (from 1), or of the whole file for page 0, in the
// order it was drawn: a table row is one line.
inline QString pdf_text(const QString& path, int page = 0) {
  return QString::fromStdString(pdf_reader::text(path.toStdString(), page));
}

inline int pdf_pages(const QString& path) { return pdf_reader::page_count(path.toStdString()); }

// The size line of one page, as "595.28 x 841.89".
inline QString pdf_page_size(const QString& path, int page) {
  return QString::fromStdString(pdf_reader::page_size(path.toStdString(), page));
}

// The name of a case of a table of broken templates in the test's name: its
// description, each character that is no letter or digit as '_'.
struct Case_Name {
  template <class Info>
  std::string operator()(const Info& info) const {
    std::string name = info.param.what;
    for (char& c : name)
      if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
  }
};
