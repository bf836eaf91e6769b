#pragma once
// Form descriptions as text: loading one into an existing root component and writing
// a component tree back.
#include "platform/rtl/forms/Filer.h"

#include <string>
#include <vector>

// Reads Text into Instance (csLoading while reading, references fixed up, then Loaded
// on every component read, in order). Returns Instance.
TComponent* ReadComponentResText(const std::string& Text, TComponent* Instance);
// Reads several texts into Instance, ancestor's first (an inherited form).
TComponent* ReadInheritedComponentResTexts(const std::vector<std::string>& Texts, TComponent* Instance);
TComponent* ReadComponentResFile(const std::string& FileName, TComponent* Instance);
// The text of Instance and its children; with Ancestor, only what differs from it.
std::string WriteComponentResText(TComponent* Instance, TComponent* Ancestor = nullptr);
void WriteComponentResFile(const std::string& FileName, TComponent* Instance);
