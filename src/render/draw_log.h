#pragma once

#include "render/recording_graphics.h"

#include <ostream>
#include <span>
#include <string>

// The draw log: one line per drawing call, numbers with 2 decimals, colours
// as #AARRGGBB, text in UTF-8 with '"' written as \". Coordinates are the page
// units the calls were made in; the page-to-window scale is not applied.
//
//   clear #AARRGGBB
//   line X0 Y0 X1 Y1 pen=#AARRGGBB/WIDTH[/dash]
//   rect X Y W H pen=...            fillrect X Y W H brush=#AARRGGBB
//   arc X Y W H START SWEEP pen=... pie X Y W H START SWEEP brush=...
//   ellipse X Y W H brush=...       polygon X0 Y0 X1 Y1 ... pen=...
//   text X Y "TEXT" font="FACE" size=S style=N brush=#AARRGGBB halign=near|center|far valign=near|center|far
//   clip X Y W H                    noclip

std::string formatDrawCommand(DrawCommand const&);
void writeDrawLog(std::ostream&, std::span<DrawCommand const>);
