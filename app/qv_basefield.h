#pragma once
// Registering a component field that an ancestor of the registered class
// declares, as windows that share a base class with their buttons do.  The
// field's class is named, so that the ancestor's member converts.
#include "platform/classes/TypInfo.h"

#define PUBLISHED_BASE_FIELD(Type, Name) .Field<Type>(#Name, &Self::Name)
// A handler bound by Name that a method of another name (an ancestor's,
// shared by windows whose components are named apart) handles.
#define PUBLISHED_METHOD_AS(Name, Handler) .Method(#Name, &Self::Handler)
