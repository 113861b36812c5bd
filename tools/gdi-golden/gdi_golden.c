/* Reference pictures of the classic Windows raster engine, for the drawing
 * layer's tests. Built with mingw-w64 and run under Wine (see
 * make-goldens.sh); never part of the editor's build.
 *
 *   gdi_golden lines OUT.txt    one line per stroke on a white 64 x 64
 *                               bitmap: "W X1 Y1 X2 Y2" and then the black
 *                               pixels as row spans "y:x0-x1" (x1 exclusive)
 *   gdi_golden images DIR       the seven skin images at start-up and after
 *                               a skin is applied, as binary PPM files
 *
 * Everything is drawn into 32-bit top-down DIB sections with solid pens of
 * round ends (CreatePen(PS_SOLID, ...)), MoveToEx and LineTo. */
#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

typedef struct {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    HPEN pen;
    DWORD *bits;
    int width, height;
    int penWidth;
    COLORREF penColour;
} Surface;

static void setPen(Surface *s, int width, COLORREF colour)
{
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    SelectObject(s->dc, pen);
    if (s->pen)
        DeleteObject(s->pen);
    s->pen = pen;
    s->penWidth = width;
    s->penColour = colour;
}

static void openSurface(Surface *s, int width, int height)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memset(s, 0, sizeof *s);
    s->dc = CreateCompatibleDC(NULL);
    s->bitmap = CreateDIBSection(s->dc, &info, DIB_RGB_COLORS, (void **)&s->bits, NULL, 0);
    s->oldBitmap = SelectObject(s->dc, s->bitmap);
    s->width = width;
    s->height = height;
    memset(s->bits, 0xFF, (size_t)width * height * 4);
    setPen(s, 1, RGB(0, 0, 0));
}

static void closeSurface(Surface *s)
{
    SelectObject(s->dc, s->oldBitmap);
    SelectObject(s->dc, GetStockObject(BLACK_PEN));
    DeleteObject(s->pen);
    DeleteObject(s->bitmap);
    DeleteDC(s->dc);
}

static void stroke(Surface *s, int x1, int y1, int x2, int y2)
{
    MoveToEx(s->dc, x1, y1, NULL);
    LineTo(s->dc, x2, y2);
    GdiFlush();
}

/* ---- single strokes ---- */

static FILE *linesOut;

static void line(int w, int x1, int y1, int x2, int y2)
{
    Surface s;
    int x, y;
    openSurface(&s, 64, 64);
    setPen(&s, w, RGB(0, 0, 0));
    stroke(&s, x1, y1, x2, y2);
    fprintf(linesOut, "%d %d %d %d %d", w, x1, y1, x2, y2);
    for (y = 0; y < 64; ++y) {
        for (x = 0; x < 64;) {
            int start;
            if (s.bits[y * 64 + x] & 0xFFFFFF) {
                ++x;
                continue;
            }
            start = x;
            while (x < 64 && !(s.bits[y * 64 + x] & 0xFFFFFF))
                ++x;
            fprintf(linesOut, " %d:%d-%d", y, start, x);
        }
    }
    fputc('\n', linesOut);
    closeSurface(&s);
}

static unsigned long long seed = 20261208;

static int randomBelow(int n)
{
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return (int)((seed >> 33) % (unsigned)n);
}

static void lines(void)
{
    /* Directions of every octant: axis-parallel, 45 degrees, shallow and steep. */
    static const int slopes[][2] = {{1, 0}, {1, 1}, {2, 1}, {3, 1}, {5, 2}, {7, 3}, {13, 5}, {9, 8}, {17, 3}};
    static const int signs[][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    int w, i, j, swap, scale;
    for (w = 1; w <= 8; ++w) {
        for (i = 0; i < (int)(sizeof slopes / sizeof slopes[0]); ++i)
            for (j = 0; j < 4; ++j)
                for (swap = 0; swap < 2; ++swap) {
                    int dx = slopes[i][swap] * signs[j][0];
                    int dy = slopes[i][1 - swap] * signs[j][1];
                    if ((dx == 0 && signs[j][0] < 0) || (dy == 0 && signs[j][1] < 0))
                        continue; /* the same stroke again */
                    /* short: one step of the slope; long: as far as fits around the centre */
                    line(w, 31, 32, 31 + dx, 32 + dy);
                    scale = 26 / (abs(dx) > abs(dy) ? abs(dx) : abs(dy));
                    line(w, 31 - dx * scale / 2, 32 - dy * scale / 2, 31 + dx * (scale - scale / 2),
                         32 + dy * (scale - scale / 2));
                }
        /* zero length, and clipped across each edge and corner */
        line(w, 20, 20, 20, 20);
        line(w, 0, 0, 0, 0);
        line(w, -5, 10, 30, 25);
        line(w, 40, 30, 70, 50);
        line(w, 10, -6, 25, 40);
        line(w, 50, 20, 37, 69);
        line(w, -3, -2, 66, 67);
        line(w, 63, -1, -1, 63);
        line(w, -20, 5, 90, 12);
        line(w, 5, 100, 30, -60);
        line(w, 0, 1, 63, 1);
        line(w, 62, 0, 62, 63);
        line(w, -4000, -3000, 5000, 4100);
        line(w, 70, 70, 90, 80); /* wholly outside */
    }
    for (i = 0; i < 600; ++i) {
        int x1 = randomBelow(84) - 10, y1 = randomBelow(84) - 10;
        int x2 = randomBelow(84) - 10, y2 = randomBelow(84) - 10;
        line(1 + randomBelow(8), x1, y1, x2, y2);
    }
}

/* ---- skin images ---- */

/* The gradient: n + 1 strokes across the picture, each colour component
 * advanced by (c2 - c1) / n per stroke and rounded half to even, with
 * whatever pen width the canvas has. */
static void gradient(Surface *s, COLORREF c1, COLORREF c2, int width, int height, int direction)
{
    int n = direction == 1 ? width : height, i;
    double r = GetRValue(c1), g = GetGValue(c1), b = GetBValue(c1);
    double dr = (double)(GetRValue(c2) - GetRValue(c1)) / n;
    double dg = (double)(GetGValue(c2) - GetGValue(c1)) / n;
    double db = (double)(GetBValue(c2) - GetBValue(c1)) / n;
    for (i = 0; i <= n; ++i) {
        setPen(s, s->penWidth, RGB((int)nearbyint(r), (int)nearbyint(g), (int)nearbyint(b)));
        if (direction == 1)
            stroke(s, i, 0, i, height);
        else
            stroke(s, 0, i, width, i);
        r += dr;
        g += dg;
        b += db;
    }
}

typedef struct { int width, moveX, moveY, toX, toY; } Stroke; /* moveX < 0: go on from the pen */

static const Stroke question[] = {
    {3, 0, 30, 22, 30}, {4, -1, 0, 64, 1},   {3, -1, 0, 736, 1}, {4, -1, 0, 778, 30},
    {4, -1, 0, 736, 59}, {3, -1, 0, 64, 59}, {4, -1, 0, 22, 30}, {3, 778, 30, 799, 30},
};
static const Stroke answer[] = {
    {3, 0, 14, 17, 14},  {3, -1, 0, 38, 1},   {3, -1, 0, 361, 1}, {3, -1, 0, 382, 14},
    {3, -1, 0, 361, 27}, {3, -1, 0, 38, 27}, {3, -1, 0, 17, 14}, {3, 382, 14, 400, 14},
};

static void outline(Surface *s, COLORREF colour, const Stroke *strokes)
{
    int i;
    for (i = 0; i < 8; ++i) {
        setPen(s, strokes[i].width, colour);
        if (strokes[i].moveX >= 0)
            MoveToEx(s->dc, strokes[i].moveX, strokes[i].moveY, NULL);
        LineTo(s->dc, strokes[i].toX, strokes[i].toY);
    }
    GdiFlush();
}

static void writePpm(const Surface *s, const char *dir, const char *name)
{
    char path[MAX_PATH];
    FILE *f;
    int i;
    snprintf(path, sizeof path, "%s\\%s.ppm", dir, name);
    f = fopen(path, "wb");
    fprintf(f, "P6\n%d %d\n255\n", s->width, s->height);
    for (i = 0; i < s->width * s->height; ++i) {
        DWORD p = s->bits[i];
        fputc((p >> 16) & 0xFF, f);
        fputc((p >> 8) & 0xFF, f);
        fputc(p & 0xFF, f);
    }
    fclose(f);
}

typedef struct { const char *name; COLORREF line, c1, c2; int direction; } Look;

static void images(const char *dir)
{
    /* The standard look, then the applied skin's (the same in the tests). */
    static const Look standard[7] = {
        {"Pitanje", RGB(85, 136, 179), RGB(0, 0, 0), RGB(0, 0, 0), 1},
        {"OdgovorNormal", RGB(85, 136, 179), RGB(0, 0, 0), RGB(0, 0, 0), 1},
        {"OdgovorIn", RGB(85, 136, 179), RGB(255, 153, 0), RGB(254, 222, 173), 1},
        {"OdgovorChech", RGB(85, 136, 179), RGB(255, 51, 0), RGB(254, 176, 157), 1},
        {"OdgovorOK", RGB(85, 136, 179), RGB(0, 204, 51), RGB(159, 236, 177), 1},
        {"OdgovorYES", RGB(85, 136, 179), RGB(255, 153, 0), RGB(254, 222, 173), 1},
        {"OdgovorNO", RGB(85, 136, 179), RGB(0, 0, 0), RGB(0, 0, 0), 1},
    };
    static const Look applied[7] = {
        {"Pitanje", RGB(255, 0, 0), RGB(0, 0, 128), RGB(240, 250, 255), 0},
        {"OdgovorNormal", RGB(0, 128, 0), RGB(17, 34, 51), RGB(205, 190, 175), 1},
        {"OdgovorIn", RGB(255, 255, 0), RGB(128, 0, 128), RGB(0, 255, 255), 0},
        {"OdgovorChech", RGB(0, 0, 0), RGB(255, 255, 255), RGB(1, 2, 3), 1},
        {"OdgovorOK", RGB(192, 192, 192), RGB(0, 128, 128), RGB(255, 136, 0), 0},
        {"OdgovorYES", RGB(128, 0, 0), RGB(10, 200, 30), RGB(250, 40, 160), 1},
        {"OdgovorNO", RGB(0, 0, 255), RGB(99, 99, 99), RGB(100, 100, 100), 0},
    };
    int i;
    char name[64];
    for (i = 0; i < 7; ++i) {
        Surface s;
        int width = i == 0 ? 800 : 400, height = i == 0 ? 61 : 29;
        openSurface(&s, width, height);
        /* The new canvas's 1-pixel pen draws the first gradient; every later
         * one is drawn with the 3-pixel pen the outline leaves behind. */
        gradient(&s, standard[i].c1, standard[i].c2, width, height, standard[i].direction);
        outline(&s, standard[i].line, i == 0 ? question : answer);
        snprintf(name, sizeof name, "start-%s", standard[i].name);
        writePpm(&s, dir, name);
        gradient(&s, applied[i].c1, applied[i].c2, width, height, applied[i].direction);
        outline(&s, applied[i].line, i == 0 ? question : answer);
        snprintf(name, sizeof name, "applied-%s", applied[i].name);
        writePpm(&s, dir, name);
        closeSurface(&s);
    }
}

int main(int argc, char **argv)
{
    if (argc == 3 && !strcmp(argv[1], "lines")) {
        linesOut = fopen(argv[2], "w");
        lines();
        fclose(linesOut);
        return 0;
    }
    if (argc == 3 && !strcmp(argv[1], "images")) {
        images(argv[2]);
        return 0;
    }
    fprintf(stderr, "usage: gdi_golden lines OUT.txt | images DIR\n");
    return 2;
}
