#include "ui/help/help_text.h"

const QStringList &helpLines()
{
    // clang-format off
    static const QStringList lines = {
        QString(),
        QStringLiteral("　【問　　題】"),
        QStringLiteral("　　　　　　　　１階が左右それぞれ３台ずつ計６台の自動車を停めることのできる駐車場をもった"),
        QStringLiteral("　　　　　　　ビルがあります。"),
        QStringLiteral("　　　　　　　　駐車場の出入り口は、道路に面していて、そこからしか車の出入りができません。"),
        QStringLiteral("　　　　　　　　また、駐車場は左右に区切られているので、駐車場の中での車の左右の移動は"),
        QStringLiteral("　　　　　　　できません。"),
        QStringLiteral("　　　　　　　　例えば、駐車場左側一番奥に車１が停まっていて、駐車場左側一番道路側に車２"),
        QStringLiteral("　　　　　　　が停まっているとします。"),
        QStringLiteral("　　　　　　　　車１が駐車場を出るのに、車２が邪魔になるので、どけてもらはなければなりませ"),
        QStringLiteral("　　　　　　　ん。"),
        QStringLiteral("　　　　　　　　また、車が入るときにも同様なことが起こります。"),
        QStringLiteral("　　　　　　　　このビルの住人が６台の車をこの駐車場から出入りさせるとき、駐車位置を指定し"),
        QStringLiteral("　　　　　　　て固定して使ったほうが良いのか、それとも駐車位置を固定せずに奥から詰めて駐"),
        QStringLiteral("　　　　　　　車して行った方が良いのか。さあ、どちらでしょうか。"),
        QString(),
        QStringLiteral("　【操作方法】"),
        QStringLiteral("　　　　　　　　　［サイコロころがる］ボタン、次に［サイコロ停まる］ボタンをクリックします。"),
        QStringLiteral("　　　　　　　 ■画面左の駐車場位置を固定するときの場合"),
        QStringLiteral("　　　　　　　　　例えば、サイコロの目が３で、駐車場の③が空きの場合は、駐車場の③に車を"),
        QStringLiteral("　　　　　　　　入れます。"),
        QStringLiteral("　　　　　　　　　サイコロの目が３で、駐車場の③が空きでない場合は、駐車場の③から車を出"),
        QStringLiteral("　　　　　　　　します。"),
        QStringLiteral("　　　　　　　　　①～⑥のボタンをクリックすると、車が出たり入ったりします。"),
        QStringLiteral("　　　　　　　 ■画面右の駐車場位置を固定しないときの場合"),
        QStringLiteral("　　　　　　　　　例えば、サイコロの目が３で、③の車が駐車していないときは、奥から詰めて"),
        QStringLiteral("　　　　　　　　③の車を入れます。"),
        QStringLiteral("　　　　　　　　　サイコロの目が３で、③の車が駐車しているときは、駐車場から③の車を出し"),
        QStringLiteral("　　　　　　　　ます。"),
        QStringLiteral("　　　　　　　　　駐車位置のボタンをクリックすると、①→②→･･･→⑤→⑥→空白 と変わります。"),
        QStringLiteral("　　　　　　　　　例えば③は、③の車を表します。空白は駐車場に車が停まっていないことを表し"),
        QStringLiteral("　　　　　　　　ます。"),
        QStringLiteral("　　　　　　　 ■他の車が邪魔でどかしてもらわなければならないとき、［↑］ボタンをクリックし"),
        QStringLiteral("　　　　　　　　　 て、どかし回数をカウントします。"),
    };
    // clang-format on
    return lines;
}
