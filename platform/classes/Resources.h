#pragma once
// Form definitions compiled in as Qt resources (":/app/qv_data.form"), found
// by the class their first object names, and streamed into root instances.
#include "platform/classes/ClassInfo.h"
#include "platform/classes/Component.h"

// The resource path of the form definition whose first object is of class
// ClassName (any case); empty when there is none.  The resource tree is
// scanned once and the map kept.
String FindFormResource(const String& ClassName);
// Forgets the map (after resources were registered at run time).
void ResetFormResourceCache();
// Folders on disk searched like the resource tree (after it), for tools
// and tests; resets the map.
void AddFormSearchPath(const String& Folder);
void RemoveFormSearchPath(const String& Folder);
// The resource path of a compiled-in file by its file name (any case),
// for images and other data; empty when absent.
String FindResourceFile(const String& FileName);

// Reads the form definition at resource path ResName into Instance.
// Raises EResNotFound "Resource %s not found" when it is missing and
// EReadError when it does not read.
void ReadComponentRes(const String& ResName, TComponent* Instance);
// Streams the definitions of Instance's class and of its ancestors below
// RootAncestor into Instance, ancestors first.  False when none of them
// has a definition.
bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor);
