#pragma once
// Runs the vantari command line in-process with `args` and `input` as its standard input,
// capturing the exit code and what it printed.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

struct Outcome {
  int code;
  std::string out, err;
};

inline std::string Slurp(std::FILE* f) {
  std::string s;
  std::rewind(f);
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) s.append(buf, n);
  std::fclose(f);
  return s;
}

template <typename Args>
Outcome Vantari(const Args& args, std::string_view input = {}) {
  std::vector<std::string_view> views(std::begin(args), std::end(args));
  std::FILE* in = std::tmpfile();
  if (!input.empty()) std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  cli::Io io{in, std::tmpfile(), std::tmpfile()};
  const int code = cli::Main(views, io);
  std::fclose(in);
  return {code, Slurp(io.out), Slurp(io.err)};
}

inline Outcome Vantari(std::initializer_list<std::string_view> args, std::string_view input = {}) {
  return Vantari<std::initializer_list<std::string_view>>(args, input);
}

inline bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }
