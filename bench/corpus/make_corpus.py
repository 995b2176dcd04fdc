#!/usr/bin/python3
"""Draws the chart corpus: the same known functions plotted by real plotting
programs in their own default styles, each beside its truth, then copies of
each degraded as scans, photocopies and screenshots degrade them.

    make_corpus.py OUT_DIR [--seed N] [--only TOOL] [--originals]

Each chart is OUT_DIR/NAME.png with OUT_DIR/NAME.json beside it:
  tool, style, degradation, xKind, yKind ("linear" or "log"),
  map: [[a, b, c], [d, e, f]] taking (X, Y) to the pixel (u, v) as
       u = a X + b Y + c, v = d X + e Y + f, where X and Y are the axis values
       (their log10 on a logarithmic axis) and u, v pixel indices (the centre
       of the top left pixel is 0, 0),
  curves: for each curve, sample [x, y] values the curve passes through.
The truth comes from each program's own geometry, never from the picture.
"""
import argparse
import json
import math
import os
import random
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image, ImageFilter

# The functions: name, x range, kinds, curves as Python and as R/gnuplot text.
FUNCTIONS = {
    "linear": dict(x=(0, 10), kinds=("linear", "linear"),
                   curves=[("2 + 0.8*x + sin(x)", lambda x: 2 + 0.8 * x + math.sin(x))]),
    "logy": dict(x=(0, 10), kinds=("linear", "log"),
                 curves=[("10**(0.4*x)", lambda x: 10 ** (0.4 * x))]),
    "loglog": dict(x=(1, 1000), kinds=("log", "log"),
                   curves=[("x**1.5", lambda x: x ** 1.5)]),
    "logx": dict(x=(1, 1000), kinds=("log", "linear"),
                 curves=[("2*log10(x) + 1", lambda x: 2 * math.log10(x) + 1)]),
    "two": dict(x=(0, 10), kinds=("linear", "linear"),
                curves=[("5 + 3*sin(x)", lambda x: 5 + 3 * math.sin(x)),
                        ("2 + 0.6*x", lambda x: 2 + 0.6 * x)]),
}

# Sizes as a user meets them: inches and dots per inch.
SIZES = [(6.4, 4.8, 100), (4, 3, 72), (8, 6, 200), (5, 3.75, 96), (10, 7.5, 300)]


def samples(fn, n=200):
    lo, hi = fn["x"]
    out = []
    for curve in fn["curves"]:
        pts = []
        for i in range(n):
            t = i / (n - 1)
            x = lo * (hi / lo) ** t if fn["kinds"][0] == "log" else lo + (hi - lo) * t
            pts.append([x, curve[1](x)])
        out.append(pts)
    return out


def axis_linear(kind, v):
    return math.log10(v) if kind == "log" else v


def map_from_corners(kinds, x0, x1, y0, y1, u0, u1, v0, v1):
    """The map from axis values at two corners (x0, y0) -> (u0, v0), (x1, y1) -> (u1, v1)."""
    X0, X1 = axis_linear(kinds[0], x0), axis_linear(kinds[0], x1)
    Y0, Y1 = axis_linear(kinds[1], y0), axis_linear(kinds[1], y1)
    a = (u1 - u0) / (X1 - X0)
    e = (v1 - v0) / (Y1 - Y0)
    return [[a, 0.0, u0 - a * X0], [0.0, e, v0 - e * Y0]]


# --- matplotlib -------------------------------------------------------------

def matplotlib_chart(path, fn, style, size):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    w, h, dpi = size
    with plt.style.context(style):
        fig = plt.figure(figsize=(w, h), dpi=dpi)
        ax = fig.add_subplot(111)
        lo, hi = fn["x"]
        for k, pts in enumerate(samples(fn, 400)):
            ax.plot([p[0] for p in pts], [p[1] for p in pts], label="series %d" % (k + 1))
        if fn["kinds"][0] == "log":
            ax.set_xscale("log")
        if fn["kinds"][1] == "log":
            ax.set_yscale("log")
        if len(fn["curves"]) > 1:
            ax.legend()
        ax.set_xlabel("x")
        ax.set_ylabel("y")
        fig.savefig(path, dpi=dpi)
        W, H = fig.canvas.get_width_height()
        (x0, x1), (y0, y1) = ax.get_xlim(), ax.get_ylim()
        d0 = ax.transData.transform((x0, y0))
        d1 = ax.transData.transform((x1, y1))
        plt.close(fig)
    return map_from_corners(fn["kinds"], x0, x1, y0, y1, d0[0] - 0.5, d1[0] - 0.5, H - d0[1] - 0.5, H - d1[1] - 0.5)


# --- gnuplot ----------------------------------------------------------------

def gnuplot_chart(path, fn, size):
    w, h, dpi = size
    W, H = int(round(w * dpi)), int(round(h * dpi))
    lo, hi = fn["x"]
    plots = ", ".join("%s title 'series %d'" % (c[0], k + 1) for k, c in enumerate(fn["curves"]))
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "geom")
        script = f"""
set terminal pngcairo size {W},{H} fontscale {dpi / 100:.3f}
set output '{path}'
set samples 400
{'set logscale x' if fn['kinds'][0] == 'log' else ''}
{'set logscale y' if fn['kinds'][1] == 'log' else ''}
{'' if len(fn['curves']) > 1 else 'unset key'}
set xlabel 'x'
set ylabel 'y'
plot [{lo}:{hi}] {plots.replace('**', '**').replace('log10(x)', 'log10(x)')}
set print '{out}'
print GPVAL_TERM_XMIN, GPVAL_TERM_XMAX, GPVAL_TERM_YMIN, GPVAL_TERM_YMAX, GPVAL_TERM_SCALE
print GPVAL_X_MIN, GPVAL_X_MAX, GPVAL_Y_MIN, GPVAL_Y_MAX
"""
        subprocess.run(["gnuplot"], input=script.encode(), check=True)
        with open(out) as f:
            txmin, txmax, tymin, tymax, scale = map(float, f.readline().split())
            x0, x1, y0, y1 = map(float, f.readline().split())
    # gnuplot 5.4 gives the border in pixels already (its scale is for other terminals).
    return map_from_corners(fn["kinds"], x0, x1, y0, y1, txmin, txmax, (H - 1) - tymin, (H - 1) - tymax)


# --- R ----------------------------------------------------------------------

def r_curve(text):
    return text.replace("**", "^")


def r_chart(path, fn, style, size):
    w, h, dpi = size
    W, H = int(round(w * dpi)), int(round(h * dpi))
    lo, hi = fn["x"]
    logx, logy = fn["kinds"][0] == "log", fn["kinds"][1] == "log"
    xs = "10^seq(log10(%g), log10(%g), length.out=400)" % (lo, hi) if logx else "seq(%g, %g, length.out=400)" % (lo, hi)
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "geom")
        if style == "base":
            log = ("x" if logx else "") + ("y" if logy else "")
            lines = "\n".join("lines(x, %s, col=%d)" % (r_curve(c[0]), k + 1) for k, c in enumerate(fn["curves"][1:], 1))
            legend = ("legend('topleft', legend=c(%s), col=1:%d, lty=1)" %
                      (",".join("'series %d'" % (k + 1) for k in range(len(fn["curves"]))), len(fn["curves"]))
                      if len(fn["curves"]) > 1 else "")
            script = f"""
png('{path}', width={W}, height={H}, res={dpi}, type='cairo')
x <- {xs}
plot(x, {r_curve(fn['curves'][0][0])}, type='l', log='{log}', xlab='x', ylab='y',
     ylim=range(c({','.join(r_curve(c[0]) for c in fn['curves'])})))
{lines}
{legend}
u <- par('usr')
X <- if ({'TRUE' if logx else 'FALSE'}) 10^u[1:2] else u[1:2]
Y <- if ({'TRUE' if logy else 'FALSE'}) 10^u[3:4] else u[3:4]
nx <- grconvertX(X, 'user', 'ndc'); ny <- grconvertY(Y, 'user', 'ndc')
cat(X, Y, nx, ny, '\\n', file='{out}')
dev.off()
"""
        else:
            series = "rbind(%s)" % ", ".join(
                "data.frame(x=x, y=%s, s='series %d')" % (r_curve(c[0]), k + 1) for k, c in enumerate(fn["curves"]))
            aes = "aes(x, y, colour=s)" if len(fn["curves"]) > 1 else "aes(x, y)"
            script = f"""
suppressMessages(library(ggplot2)); library(grid)
x <- {xs}
d <- {series}
p <- ggplot(d, {aes}) + geom_line() + theme_{style}()
{'p <- p + scale_x_log10()' if logx else ''}
{'p <- p + scale_y_log10()' if logy else ''}
png('{path}', width={W}, height={H}, res={dpi}, type='cairo')
print(p)
b <- ggplot_build(p)$layout$panel_params[[1]]
tree <- paste(capture.output(print(current.vpTree())), collapse='')
seekViewport(regmatches(tree, regexpr('panel[.][0-9-]+', tree)))
a <- deviceLoc(unit(0, 'npc'), unit(0, 'npc')); z <- deviceLoc(unit(1, 'npc'), unit(1, 'npc'))
X <- b$x.range; Y <- b$y.range
if ({'TRUE' if logx else 'FALSE'}) X <- 10^X
if ({'TRUE' if logy else 'FALSE'}) Y <- 10^Y
cat(X, Y, convertX(a$x, 'inches', TRUE) / {w}, convertX(z$x, 'inches', TRUE) / {w},
    convertY(a$y, 'inches', TRUE) / {h}, convertY(z$y, 'inches', TRUE) / {h}, '\\n', file='{out}')
dev.off()
"""
        r = subprocess.run(["Rscript", "-"], input=script.encode(), capture_output=True)
        if r.returncode != 0:
            raise RuntimeError(r.stderr.decode()[-400:])
        with open(out) as f:
            x0, x1, y0, y1, nx0, nx1, ny0, ny1 = map(float, f.read().split())
    return map_from_corners(fn["kinds"], x0, x1, y0, y1, nx0 * W - 0.5, nx1 * W - 0.5,
                            (1 - ny0) * H - 0.5, (1 - ny1) * H - 0.5)


# --- degradations -------------------------------------------------------------

def apply_pixel_map(m, M):
    """The truth map followed by the pixel map M (2 x 3, on pixel indices)."""
    A = np.array(m + [[0, 0, 1]], dtype=float)
    B = np.array(M + [[0, 0, 1]], dtype=float)
    return (B @ A)[:2].tolist()


def warp(img, M):
    """The picture under the pixel map M, bilinear, white outside."""
    a = np.asarray(img.convert("RGB"), dtype=float)
    H, W = a.shape[:2]
    Minv = np.linalg.inv(np.array(M + [[0, 0, 1]], dtype=float))
    vv, uu = np.mgrid[0:H, 0:W].astype(float)
    su = Minv[0, 0] * uu + Minv[0, 1] * vv + Minv[0, 2]
    sv = Minv[1, 0] * uu + Minv[1, 1] * vv + Minv[1, 2]
    u0, v0 = np.floor(su).astype(int), np.floor(sv).astype(int)
    fu, fv = (su - u0)[..., None], (sv - v0)[..., None]
    padded = np.pad(a, ((1, 2), (1, 2), (0, 0)), constant_values=255)
    def at(du, dv):
        return padded[np.clip(v0 + dv + 1, 0, H + 2), np.clip(u0 + du + 1, 0, W + 2)]
    out = (at(0, 0) * (1 - fu) * (1 - fv) + at(1, 0) * fu * (1 - fv)
           + at(0, 1) * (1 - fu) * fv + at(1, 1) * fu * fv)
    return Image.fromarray(np.clip(out + 0.5, 0, 255).astype(np.uint8))


def turned(img, degrees):
    W, H = img.size
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    cu, cv = (W - 1) / 2, (H - 1) / 2
    # Counter-clockwise on the screen (rows grow downwards).
    M = [[c, s, cu - c * cu - s * cv], [-s, c, cv + s * cu - c * cv]]
    return warp(img, M), M


def scaled(img, factor):
    W, H = img.size
    w, h = int(round(W * factor)), int(round(H * factor))
    sx, sy = w / W, h / H
    return img.convert("RGB").resize((w, h), Image.LANCZOS), [[sx, 0, 0.5 * sx - 0.5], [0, sy, 0.5 * sy - 0.5]]


def blurred(img, rng):
    a = np.asarray(img.convert("RGB").filter(ImageFilter.GaussianBlur(1.0)), dtype=float)
    a += np.random.default_rng(rng.randrange(1 << 30)).normal(0, 8, a.shape)
    return Image.fromarray(np.clip(a, 0, 255).astype(np.uint8))


def tinted(img):
    a = np.asarray(img.convert("RGB"), dtype=float)
    H, W = a.shape[:2]
    light = 0.82 + 0.18 * np.linspace(0, 1, W)[None, :] * np.linspace(1, 0.9, H)[:, None]
    paper = np.array([250, 240, 205], dtype=float)
    return Image.fromarray(np.clip(a / 255 * paper * light[..., None], 0, 255).astype(np.uint8))


def jpeg(img, quality, path):
    img.convert("RGB").save(path, "JPEG", quality=quality)
    return Image.open(path)


# --- the corpus ----------------------------------------------------------------

def charts(only):
    mpl_styles = ["default", "ggplot", "seaborn-v0_8-whitegrid", "classic", "bmh"]
    r_styles = ["base", "grey", "bw", "classic"]
    out = []
    for k, (fname, fn) in enumerate(FUNCTIONS.items()):
        for j, style in enumerate(mpl_styles):
            out.append(("matplotlib", style, fname, SIZES[(k + j) % len(SIZES)]))
        out.append(("gnuplot", "pngcairo", fname, SIZES[k % len(SIZES)]))
        out.append(("gnuplot", "pngcairo", fname, SIZES[(k + 2) % len(SIZES)]))
        for j, style in enumerate(r_styles):
            out.append(("R", style, fname, SIZES[(k + j + 1) % len(SIZES)]))
    return [c for c in out if not only or c[0] == only]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--seed", type=int, default=2026)
    ap.add_argument("--only")
    ap.add_argument("--originals", action="store_true")
    args = ap.parse_args()
    rng = random.Random(args.seed)
    os.makedirs(args.out, exist_ok=True)
    for tool, style, fname, size in charts(args.only):
        fn = FUNCTIONS[fname]
        name = "%s-%s-%s-%dpx" % (tool, style, fname, int(round(size[0] * size[2])))
        path = os.path.join(args.out, name + ".png")
        try:
            if tool == "matplotlib":
                m = matplotlib_chart(path, fn, style, size)
            elif tool == "gnuplot":
                m = gnuplot_chart(path, fn, size)
            else:
                m = r_chart(path, fn, style, size)
        except Exception as e:  # a missing program leaves its charts out, said once per chart
            print("left out %s: %s" % (name, e), file=sys.stderr)
            continue
        truth = dict(tool=tool, style=style, function=fname, xKind=fn["kinds"][0], yKind=fn["kinds"][1],
                     curves=samples(fn))

        def write(suffix, degradation, img, mm):
            p = os.path.join(args.out, name + suffix)
            if img is not None and not p.endswith(".jpg"):
                img.save(p + ".png")
            with open(p + ".json", "w") as f:
                json.dump(dict(truth, degradation=degradation, map=mm,
                               picture=os.path.basename(p) + (".png" if not p.endswith(".jpg") else "")), f)

        write("", "original", None, m)
        if args.originals:
            continue
        base = Image.open(path).convert("RGB")
        angle = rng.choice([0.1, 0.3, 1.0, 2.0, 3.0]) * rng.choice([-1, 1])
        img, M = turned(base, angle)
        write(".turned", "turned %.1f°" % abs(angle), img, apply_pixel_map(m, M))
        write(".blurred", "blur and noise", blurred(base, rng), m)
        write(".tinted", "paper tint", tinted(base), m)
        q = rng.choice([40, 50, 60, 75])
        jp = os.path.join(args.out, name + ".jpeg%d.jpg" % q)
        jpeg(base, q, jp)
        write(".jpeg%d.jpg" % q, "JPEG %d" % q, None, m)
        f = rng.choice([0.6, 0.8])
        img, M = scaled(base, f)
        write(".reduced", "reduced to %d %%" % round(f * 100), img, apply_pixel_map(m, M))
        print(name, file=sys.stderr)


if __name__ == "__main__":
    main()
