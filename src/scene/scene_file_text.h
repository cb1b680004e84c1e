#pragma once

#include <string>

// Reading a scene file whole into memory, so it can be parsed in one pass.
enum class SceneFileRead { Ok, CannotOpen, TooLarge };

// Scene files beyond this size are refused rather than risking memory for
// the file and the arrays built from it.
constexpr size_t MaxSceneFileBytes = size_t{512} << 20;

SceneFileRead readSceneFileText(const char* fileName, std::string& text);
