#pragma once
// The suite's one failure text: "<class>::<operation> を実行中にエラーが発生しました。<reason>",
// with the class named as the run-time type information names it ("10CTabSystem").
#include <string>
#include <string_view>
#include <typeinfo>

// The encoded run-time class name of an object ("10CTabSystem", "13CTrainer_Edit").
template <class T>
const char* RunTimeName(const T& object) {
  return typeid(object).name();
}

inline std::string FailureText(std::string_view class_name, std::string_view operation, std::string_view reason = {}) {
  std::string text(class_name);
  text += "::";
  text += operation;
  text += " を実行中にエラーが発生しました。";
  text += reason;
  return text;
}

// The failure text of `object`'s operation.
template <class T>
std::string FailureOf(const T& object, std::string_view operation, std::string_view reason = {}) {
  return FailureText(RunTimeName(object), operation, reason);
}
