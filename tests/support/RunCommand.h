#pragma once
// Runs a shell command on a given input, for tests that check what leaves the program
// with the programs that read it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// Runs the shell command Command with Input as its standard input; its standard output,
// with a note appended when it failed.
inline std::string RunCommand(const std::string& Command, const std::string& Input) {
  const std::string Dir = ::testing::TempDir() + "/impexp" + std::to_string(getpid());
  mkdir(Dir.c_str(), 0700);
  const std::string InputPath = Dir + "/input.bin";
  std::ofstream(InputPath, std::ios::binary) << Input;
  FILE* Pipe = popen((Command + " < " + InputPath).c_str(), "r");
  std::string Out;
  if (!Pipe) return "<" + Command + " did not start>";
  char Buf[4096];
  std::size_t N;
  while ((N = fread(Buf, 1, sizeof Buf, Pipe)) > 0) Out.append(Buf, N);
  if (pclose(Pipe) != 0) Out += "<" + Command + " failed>";
  std::remove(InputPath.c_str());
  rmdir(Dir.c_str());
  return Out;
}
