#include "EffectFiles.h"

QList<EffectScript> effectScripts()
{
    const auto initParam = [](const char* name) {
        return EffectScript{QString::fromLatin1(name) + QStringLiteral(".js"),
                            {QString::fromLatin1(name) + QStringLiteral("_initParam")}};
    };
    return {
        initParam("statusbar_outin_multiinput"),
        initParam("statusbar_typingtext_multiinput"),
        initParam("statusbar_outin"),
        initParam("statusbar_multiscroll"),
        initParam("statusbar_flytext"),
        {QStringLiteral("browser.js"),
         {QStringLiteral("browser_move"), QStringLiteral("browser_blind"), QStringLiteral("browser_timeout"),
          QStringLiteral("browser_wow")}},
        initParam("screen_clippingcrossH"),
        initParam("screen_clippingcrossV"),
        initParam("screen_clippingcurtainH"),
        initParam("screen_clippingcurtainV"),
        initParam("screen_clippingleave"),
        initParam("screen_clippingrect"),
        initParam("screen_fadeinout"),
        initParam("screen_dropzigzag"),
        initParam("screen_dropdiagonal"),
        initParam("screen_upzigzag"),
        {QStringLiteral("mouse_follow_xy.js"), {QStringLiteral("mouse_follow_xy_initParam")}},
        initParam("mouse_click"),
        initParam("mouse_followtext_gen"),
        initParam("mouse_followtext_wave"),
        {QStringLiteral("mouse_followimage_multicircle.js"), {QStringLiteral("mouse_follwimage_init")}},
        // The crosshair with the plain pointer text: the text's call is left out.
        {QStringLiteral("mouse_follow_complex1.js"), {QStringLiteral("mouse_follow_xy_initParam")}},
        {QStringLiteral("mouse_follow_complex.js"),
         {QStringLiteral("mouse_follow_xy_initParam"), QStringLiteral("mouse_follwimage_init")}},
    };
}

QStringList effectPictureNames()
{
    QStringList names{QStringLiteral("transparent.gif"), QStringLiteral("rain.gif")};
    for (const char* kind : {"f", "H", "dou", "water", "star"}) {
        for (int i = 1; i <= 10; ++i)
            names.append(QStringLiteral("mouse_%1%2.gif").arg(QLatin1String(kind)).arg(i));
    }
    for (int i = 1; i <= 6; ++i) {
        names.append(QStringLiteral("mouse_sun_trail%1.gif").arg(i));
        names.append(QStringLiteral("mouse_star_trail%1.gif").arg(i));
    }
    for (int i = 1; i <= 4; ++i)
        names.append(QStringLiteral("fallen%1.gif").arg(i));
    for (int i = 1; i <= 3; ++i)
        names.append(QStringLiteral("balloon%1.gif").arg(i));
    return names;
}

QStringList effectPreviewNames()
{
    QStringList names;
    for (const EffectScript& script : effectScripts()) {
        if (script.fileName.startsWith(QLatin1String("statusbar_")) ||
            script.fileName.startsWith(QLatin1String("screen_")))
            names.append(QString(script.fileName).replace(QLatin1String(".js"), QLatin1String(".gif")));
    }
    for (const char* browser : {"blind", "wow", "move", "blindshake", "blindmove", "shakemove", "all", "none"})
        names.append(QStringLiteral("browser_%1.gif").arg(QLatin1String(browser)));
    names.append(QStringLiteral("mouse_default.gif"));
    return names;
}

QString committedEffectFolder()
{
    return qEnvironmentVariable("PAGINOR_SOURCE_DIR") + QStringLiteral("/share/Other/script/");
}
