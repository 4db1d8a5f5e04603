// kq_jsgraphics.js: the drawing calls "nodes.html" makes, and nothing more.
//
// The page draws the upper levels of a search tree as one box per node:
//   var jg = new jsGraphics();
//   jg.setColor("#ff0000");
//   jg.drawRect(x, y, width, height);
//   jg.drawStringRect("text<br>more text", x, y, width, "left");
//   jg.paint();
// Calls are collected and drawn on one HTML canvas per jsGraphics, sized to
// what was drawn.  The page runs its script in <head>, before there is a
// body, so paint() draws as soon as the document has one.
(function () {
  "use strict";

  var FONT_PX = 11;
  var LINE_PX = 13;
  // Browsers refuse canvases much larger than this on a side.
  var MAX_SIDE = 30000;

  function whole(n) {
    n = Number(n);
    return isFinite(n) ? Math.round(n) : 0;
  }

  function jsGraphics() {
    this.color = "#000000";
    this.pending = [];
    this.painted = [];
    this.canvas = null;
    this.waiting = false;
  }

  jsGraphics.prototype.setColor = function (color) {
    this.color = String(color);
  };

  jsGraphics.prototype.drawRect = function (x, y, width, height) {
    this.pending.push({ kind: "rect", color: this.color, x: whole(x), y: whole(y), w: whole(width), h: whole(height) });
  };

  // The text may hold "<br>" line breaks and nothing else of HTML; it is cut
  // at the box's width.
  jsGraphics.prototype.drawStringRect = function (text, x, y, width, align) {
    var lines = String(text).split(/<br\s*\/?>/i);
    if (lines.length > 0 && lines[lines.length - 1] === "") lines.pop();
    this.pending.push({ kind: "text", color: this.color, x: whole(x), y: whole(y), w: whole(width),
                        lines: lines, align: String(align || "left").toLowerCase() });
  };

  jsGraphics.prototype.paint = function () {
    this.painted = this.painted.concat(this.pending);
    this.pending = [];
    var self = this;
    if (document.body) {
      this.render();
    } else if (!this.waiting) {
      this.waiting = true;
      document.addEventListener("DOMContentLoaded", function () { self.render(); });
    }
  };

  jsGraphics.prototype.render = function () {
    if (!document.body) return;
    var width = 1, height = 1, i, op;
    for (i = 0; i < this.painted.length; ++i) {
      op = this.painted[i];
      if (op.w <= 0) continue;  // a box of no width shows nothing
      width = Math.max(width, op.x + op.w + 1);
      height = Math.max(height, op.y + (op.kind === "rect" ? op.h : op.lines.length * LINE_PX) + 1);
    }
    if (!this.canvas) {
      this.canvas = document.createElement("canvas");
      this.canvas.style.position = "absolute";
      this.canvas.style.left = "0px";
      this.canvas.style.top = "0px";
      document.body.appendChild(this.canvas);
    }
    this.canvas.width = Math.min(width, MAX_SIDE);
    this.canvas.height = Math.min(height, MAX_SIDE);
    var ctx = this.canvas.getContext("2d");
    ctx.lineWidth = 1;
    ctx.font = FONT_PX + "px sans-serif";
    ctx.textBaseline = "top";
    for (i = 0; i < this.painted.length; ++i) {
      op = this.painted[i];
      if (op.w <= 0 || op.x < 0 || op.y < 0) continue;
      ctx.strokeStyle = op.color;
      ctx.fillStyle = op.color;
      if (op.kind === "rect") {
        if (op.h > 0) ctx.strokeRect(op.x + 0.5, op.y + 0.5, op.w, op.h);
        continue;
      }
      ctx.save();
      ctx.beginPath();
      ctx.rect(op.x, op.y, op.w, op.lines.length * LINE_PX + 2);
      ctx.clip();
      ctx.textAlign = op.align === "center" ? "center" : op.align === "right" ? "right" : "left";
      var tx = op.align === "center" ? op.x + op.w / 2 : op.align === "right" ? op.x + op.w - 2 : op.x + 2;
      for (var k = 0; k < op.lines.length; ++k) ctx.fillText(op.lines[k], tx, op.y + 2 + k * LINE_PX);
      ctx.restore();
    }
  };

  window.jsGraphics = jsGraphics;
})();
