#pragma once
// The relocation dialog (133): a page's table moves to free space found in a range (region 1
// by default). This is the common part; a page says what its caption, count label and data
// types are, how many bytes a count needs and what "設定" writes.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/free_space.h"
#include "toolkit/win/dialog.h"

class CRelocationDialog : public toolkit::win::CDialog {
 public:
  explicit CRelocationDialog(CFinddummyspace& finder) : finder_(finder) {}

  // Runs the dialog; true when the page wrote its table at a new place.
  bool Run(HWND owner);

  // What "設定" chose, for the page's Write.
  struct Placement {
    uint32_t offset;
    int count;
    int data_type;  // -1 without a data-type list
    bool copy_old;  // "もともとのデータをコピーする"
  };

 protected:
  virtual std::string Caption() const = 0;
  virtual std::string CountLabel() const { return "ヴァンタリの数："; }
  // The data-type list; empty hides it and its label.
  virtual std::vector<std::string> DataTypes() const { return {}; }
  virtual int InitialCount() const = 0;
  // What the count field shows when the dialog opens.
  virtual std::string InitialCountText() const { return std::to_string(InitialCount()); }
  // The count field's width in pixels; 0 keeps the template's.
  virtual int CountEditWidth() const { return 0; }
  virtual int InitialDataType() const { return 0; }
  virtual int InitialMaximum() const { return 10; }
  // The table's size for `count` entries of `data_type`.
  virtual uint64_t ByteSize(int count, int data_type) const = 0;
  // Why a search cannot go on with `count` entries of `data_type` (empty: it can); shown in a
  // message box titled "error".
  virtual std::string RefusedChoice(int count, int data_type) const {
    (void)data_type;
    return count <= 0 ? BadCountText() : std::string();
  }
  // Shown when "設定" has no place or no count to work with.
  virtual std::string MissingChoiceText() const = 0;
  // What "設定" lacks: a chosen line, a place other than 0, a count above 0. A page may tell
  // them apart with texts and titles of its own; by default each is MissingChoiceText() in a
  // box titled "error".
  enum class Missing { kPlace, kZeroPlace, kCount };
  struct Refusal {
    std::string text;
    std::string title;
  };
  virtual Refusal MissingChoice(Missing what) const {
    (void)what;
    return {MissingChoiceText(), "error"};
  }
  // Shown when "検索開始" finds no count above 0.
  virtual std::string BadCountText() const { return MissingChoiceText(); }
  // Writes the table and its pointer; true closes the dialog.
  virtual bool Write(const Placement& placement) = 0;

  bool OnInitDialog() override;
  int Box(const std::string& text, const char* title, UINT type) const;

 private:
  void Search();
  void Accept();
  int Count() const;
  int DataType() const;

  CFinddummyspace& finder_;
  // What the places in the result list were found for; "設定" writes exactly that.
  int searched_count_ = 0;
  int searched_type_ = -1;
};
