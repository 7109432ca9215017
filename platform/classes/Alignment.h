#pragma once
// Horizontal alignment of text, shared by fields, labels, edits and grids.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
