#pragma once
// The class registry: classes found by name for streaming (the classic
// RegisterClass/FindClass).  REGISTER_COMPONENT and REGISTER_CLASS
// register; code rarely calls these directly.
#include "platform/classes/ClassInfo.h"
#include "platform/rtl/Exceptions.h"

#include <vector>

// Registers AClass under its name.  Registering the same class again is
// harmless; another class under a taken name raises EFilerError "A class
// named %s already exists".
void RegisterClass(TClass AClass);
void UnRegisterClass(TClass AClass);
// nullptr when no class of that name (any case) is registered.
TClass GetClass(const String& ClassName);
// Raises EClassNotFound "Class %s not found".
TClass FindClass(const String& ClassName);
std::vector<TClass> RegisteredClasses();
