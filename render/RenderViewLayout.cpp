#include "render/RenderViewLayout.h"

#include <algorithm>
#include <cmath>

namespace RenderViewLayout {

namespace {
int trunc(double value)
{
    return int(std::trunc(value));
}
} // namespace

Layout compute(const QSize &widget, int panoramaMode, const QList<float> &aspects)
{
    Layout layout;
    const int n = aspects.size();
    if (n == 0 || widget.height() <= 0)
        return layout;
    const double W = widget.width();
    const double H = widget.height();
    const int b = panoramaMode;
    const float a0 = aspects.first();

    double d = std::min(double(a0), 1.77778);
    double e = d / 1.777778 * 0.31553398;
    if ((b == 3 || b == 0) && a0 > 2.6) {
        d = a0;
        e = 0.31553398;
    }
    const double f = W / H;
    layout.widgetRate = f;
    layout.mainRate = d;
    layout.heightRatio = e;

    // Gap between thumbnails, so that three or more span the main picture.
    int s = 0;
    if (n >= 3) {
        double m = 0.0;
        int sum = 0;
        for (int i = 1; i < n; ++i) {
            int g;
            if (d <= f) {
                g = trunc(H * e);
                m = (W - H * d) * 0.5;
            } else {
                const double l = (H - W / d) * 0.5;
                g = trunc((H - 2 * l) * e);
                m = 0.0;
            }
            sum += trunc(g * double(aspects.at(i)));
        }
        s = trunc((W - 2 * m - sum) / (n - 2));
        if (n == 4)
            s += 1;
    }

    double acc = 0.0;
    for (int i = 1; i < n; ++i) {
        const float ai = aspects.at(i);
        Thumbnail thumb;
        double m = 0.0;
        int g = 0, h = 0, y = 0;
        if (b == 0 && d > 2.6) {
            thumb.wideHalves = true;
            thumb.showRate = ai;
            m = std::max((W - (widget.height() / 2) * d) * 0.5, 0.0);
            g = trunc(H * e);
            h = trunc(g * double(ai));
        } else {
            double r = ai;
            if (b != 3)
                r = (b == 0 && ai > 2.6) ? 1.333333 : std::min(double(ai), 1.77778);
            thumb.showRate = r;
            double v;
            if (d <= f) {
                v = H * e;
                m = (W - H * d) * 0.5;
            } else {
                const double l = (H - W / d) * 0.5;
                v = (H - 2 * l) * e;
                y = trunc(l);
            }
            // A portrait main picture would make tiny thumbnails: at least a third of the height.
            if (d < 1 && H / 3 > v)
                v = H / 3;
            g = trunc(v);
            h = trunc(g * r);
        }
        thumb.geometry = QRect(trunc(acc + m + (i - 1) * s), y, h, g);
        acc += h;
        layout.thumbnails.append(thumb);
    }
    return layout;
}

} // namespace RenderViewLayout
