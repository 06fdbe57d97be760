// The 72 pentads (七十二候) as code page 932 bytes, under the names of the
// modern almanac, numbered from 立春: 0 東風解凍 (the Sun at 315 degrees),
// 1 黄鶯睍睆 (320) .. 71 鶏始乳 (310). Three characters lie outside code page
// 932 (睍睆, 鱖, 雊): each is written as its reading in hiragana, the common
// practice for such characters; the readings table spells every name out.
#pragma once

#include "name_table.h"

namespace vorane2::tables {

inline constexpr std::array<const char*, 72> kPentadNames = {
    "\x93\x8c\x95\x97\x89\xf0\x93\x80",                 /*  0 東風解凍 */
    "\x89\xa9\xe9\xf2\x82\xaf\x82\xf1\x82\xa9\x82\xf1", /*  1 黄鶯睍睆 written 黄鶯けんかん */
    "\x8b\x9b\x8f\xe3\x95\x58",                         /*  2 魚上氷 */
    "\x93\x79\xe3\xf5\x8f\x81\x8b\x4e",                 /*  3 土脉潤起 */
    "\x89\xe0\x8e\x6e\xe8\xca",                         /*  4 霞始靆 */
    "\x91\x90\x96\xd8\x96\x47\x93\xae",                 /*  5 草木萌動 */
    "\xe5\xad\x92\x8e\x8c\x5b\x8c\xcb",                 /*  6 蟄虫啓戸 */
    "\x93\x8d\x8e\x6e\x8f\xce",                         /*  7 桃始笑 */
    "\x8d\xd8\x92\x8e\x89\xbb\x92\xb1",                 /*  8 菜虫化蝶 */
    "\x90\x9d\x8e\x6e\x91\x83",                         /*  9 雀始巣 */
    "\x9f\x4e\x8e\x6e\x8a\x4a",                         /* 10 櫻始開 */
    "\x97\x8b\x94\x54\x94\xad\x90\xba",                 /* 11 雷乃発声 */
    "\x8c\xba\x92\xb9\x8e\x8a",                         /* 12 玄鳥至 */
    "\x8d\x83\x8a\xe5\x96\x6b",                         /* 13 鴻雁北 */
    "\x93\xf8\x8e\x6e\x8c\xa9",                         /* 14 虹始見 */
    "\xe4\xd1\x8e\x6e\x90\xb6",                         /* 15 葭始生 */
    "\x91\x9a\x8e\x7e\x8f\x6f\x95\x63",                 /* 16 霜止出苗 */
    "\x89\xb2\x92\x4f\x89\xd8",                         /* 17 牡丹華 */
    "\x8a\x5e\x8e\x6e\x96\xc2",                         /* 18 蛙始鳴 */
    "\xe5\x74\xe5\x6d\x8f\x6f",                         /* 19 蚯蚓出 */
    "\x92\x7c\xe2\xa2\x90\xb6",                         /* 20 竹笋生 */
    "\x8e\x5c\x8b\x4e\x90\x48\x8c\x4b",                 /* 21 蚕起食桑 */
    "\x8d\x67\x89\xd4\x89\x68",                         /* 22 紅花栄 */
    "\x94\x9e\x8f\x48\x8e\x8a",                         /* 23 麦秋至 */
    "\xe5\xb9\xe5\xa5\x90\xb6",                         /* 24 蟷螂生 */
    "\x95\x85\x91\x90\x88\xd7\xe5\xa3",                 /* 25 腐草為螢 */
    "\x94\x7e\x8e\x71\x89\xa9",                         /* 26 梅子黄 */
    "\x94\x54\x93\x8c\x8c\xcd",                         /* 27 乃東枯 */
    "\x8f\xd2\x8a\x97\x89\xd8",                         /* 28 菖蒲華 */
    "\x94\xbc\x89\xc4\x90\xb6",                         /* 29 半夏生 */
    "\x89\xb7\x95\x97\x8e\x8a",                         /* 30 温風至 */
    "\x98\x40\x8e\x6e\x8a\x4a",                         /* 31 蓮始開 */
    "\x91\xe9\x94\x54\x8a\x77\x8f\x4b",                 /* 32 鷹乃学習 */
    "\x8b\xcb\x8e\x6e\x8c\x8b\x89\xd4",                 /* 33 桐始結花 */
    "\x93\x79\x8f\x81\x9f\xe7\x8f\x8b",                 /* 34 土潤溽暑 */
    "\x91\xe5\x89\x4a\x8e\x9e\x8d\x73",                 /* 35 大雨時行 */
    "\x97\xc1\x95\x97\x8e\x8a",                         /* 36 涼風至 */
    "\x8a\xa6\x90\xe4\x96\xc2",                         /* 37 寒蝉鳴 */
    "\x96\xd6\x96\xb6\x8f\xa1\x8d\x7e",                 /* 38 蒙霧升降 */
    "\x96\xc8\x9e\x74\x8a\x4a",                         /* 39 綿柎開 */
    "\x93\x56\x92\x6e\x8e\x6e\x8f\x6c",                 /* 40 天地始粛 */
    "\x89\xd1\x94\x54\x93\x6f",                         /* 41 禾乃登 */
    "\x91\x90\x98\x49\x94\x92",                         /* 42 草露白 */
    "\xea\x54\xe9\xf7\x96\xc2",                         /* 43 鶺鴒鳴 */
    "\x8c\xba\x92\xb9\x8b\x8e",                         /* 44 玄鳥去 */
    "\x97\x8b\x94\x54\x8e\xfb\x90\xba",                 /* 45 雷乃収声 */
    "\xe5\xad\x92\x8e\x9a\xad\x8c\xcb",                 /* 46 蟄虫坏戸 */
    "\x90\x85\x8e\x6e\x9f\xbf",                         /* 47 水始涸 */
    "\x8d\x83\x8a\xe5\x97\x88",                         /* 48 鴻雁来 */
    "\x8b\x65\x89\xd4\x8a\x4a",                         /* 49 菊花開 */
    "\xe5\xa7\xe5\xa9\x8d\xdd\x8c\xcb",                 /* 50 蟋蟀在戸 */
    "\x91\x9a\x8e\x6e\x8d\x7e",                         /* 51 霜始降 */
    "\xe8\xbe\x8e\x9e\x8e\x7b",                         /* 52 霎時施 */
    "\x95\x96\x92\xd3\x89\xa9",                         /* 53 楓蔦黄 */
    "\x8e\x52\x92\x83\x8e\x6e\x8a\x4a",                 /* 54 山茶始開 */
    "\x92\x6e\x8e\x6e\x93\x80",                         /* 55 地始凍 */
    "\x8b\xe0\xe1\xb5\x8d\x81",                         /* 56 金盞香 */
    "\x93\xf8\x91\xa0\x95\x73\x8c\xa9",                 /* 57 虹蔵不見 */
    "\x8d\xf1\x95\x97\x95\xa5\x97\x74",                 /* 58 朔風払葉 */
    "\x8b\x6b\x8e\x6e\x89\xa9",                         /* 59 橘始黄 */
    "\x95\xc2\x8d\xc7\x90\xac\x93\x7e",                 /* 60 閉塞成冬 */
    "\x8c\x46\xe5\xad\x8c\x8a",                         /* 61 熊蟄穴 */
    "\x82\xaf\x82\xc2\x8b\x9b\x8c\x51",                 /* 62 鱖魚群 written けつ魚群 */
    "\x94\x54\x93\x8c\x90\xb6",                         /* 63 乃東生 */
    "\xea\x67\x8a\x70\x89\xf0",                         /* 64 麋角解 */
    "\x90\xe1\x89\xba\x8f\x6f\x94\x9e",                 /* 65 雪下出麦 */
    "\x8b\xda\x94\x54\x89\x68",                         /* 66 芹乃栄 */
    "\x90\x85\x90\xf2\x93\xae",                         /* 67 水泉動 */
    "\xe8\xb3\x8e\x6e\x82\xb1\x82\xa4",                 /* 68 雉始雊 written 雉始こう */
    "\x8a\xbc\x93\x7e\x89\xd8",                         /* 69 款冬華 */
    "\x90\x85\x91\xf2\x95\xa0\x8c\x98",                 /* 70 水沢腹堅 */
    "\x8c\x7b\x8e\x6e\x93\xfb",                         /* 71 鶏始乳 */
};

// Their readings in hiragana.
inline constexpr std::array<const char*, 72>
    kPentadReadings =
        {
            "\x82\xcd\x82\xe9\x82\xa9\x82\xba\x82\xb1\x82\xa8\x82\xe8\x82\xf0\x82\xc6\x82\xad", /*  0
                                                                                                   はるかぜこおりをとく
                                                                                                 */
            "\x82\xa4\x82\xae\x82\xa2\x82\xb7\x82\xc8\x82\xad", /*  1 うぐいすなく */
            "\x82\xa4\x82\xa8\x82\xb1\x82\xa8\x82\xe8\x82\xf0\x82\xa2\x82\xb8\x82\xe9", /*  2
                                                                                           うおこおりをいずる
                                                                                         */
            "\x82\xc2\x82\xbf\x82\xcc\x82\xb5\x82\xe5\x82\xa4\x82\xa4\x82\xe9\x82\xa8\x82\xa2\x82"
            "\xa8\x82"
            "\xb1\x82\xe9", /*  3 つちのしょううるおいおこる */
            "\x82\xa9\x82\xb7\x82\xdd\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xbd\x82\xc8\x82\xd1\x82"
            "\xad", /*  4
                       かすみはじめてたなびく */
            "\x82\xbb\x82\xa4\x82\xe0\x82\xad\x82\xdf\x82\xce\x82\xa6\x82\xa2\x82\xb8\x82\xe9", /*  5
                                                                                                   そうもくめばえいずる
                                                                                                 */
            "\x82\xb7\x82\xb2\x82\xe0\x82\xe8\x82\xde\x82\xb5\x82\xc6\x82\xf0\x82\xd0\x82\xe7\x82"
            "\xad",                                                                     /*  6
                                                                                           すごもりむしとをひらく */
            "\x82\xe0\x82\xe0\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xb3\x82\xad",         /*  7
                                                                                           ももはじめてさく
                                                                                         */
            "\x82\xc8\x82\xde\x82\xb5\x82\xbf\x82\xe5\x82\xa4\x82\xc6\x82\xc8\x82\xe9", /*  8
                                                                                           なむしちょうとなる
                                                                                         */
            "\x82\xb7\x82\xb8\x82\xdf\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xb7\x82\xad\x82\xa4", /*  9
                                                                                                   すずめはじめてすくう
                                                                                                 */
            "\x82\xb3\x82\xad\x82\xe7\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xd0\x82\xe7\x82\xad", /* 10
                                                                                                   さくらはじめてひらく
                                                                                                 */
            "\x82\xa9\x82\xdd\x82\xc8\x82\xe8\x82\xb7\x82\xc8\x82\xed\x82\xbf\x82\xb1\x82\xa6\x82"
            "\xf0\x82"
            "\xcd\x82\xc1\x82\xb7", /* 11 かみなりすなわちこえをはっす */
            "\x82\xc2\x82\xce\x82\xdf\x82\xab\x82\xbd\x82\xe9",         /* 12 つばめきたる */
            "\x82\xb1\x82\xa4\x82\xaa\x82\xf1\x82\xa9\x82\xa6\x82\xe9", /* 13 こうがんかえる */
            "\x82\xc9\x82\xb6\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xa0\x82\xe7\x82\xed\x82\xe9", /* 14
                                                                                                   にじはじめてあらわる
                                                                                                 */
            "\x82\xa0\x82\xb5\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xb5\x82\xe5\x82\xa4\x82\xb8", /* 15
                                                                                                   あしはじめてしょうず
                                                                                                 */
            "\x82\xb5\x82\xe0\x82\xe2\x82\xf1\x82\xc5\x82\xc8\x82\xa6\x82\xa2\x82\xb8\x82\xe9", /* 16
                                                                                                   しもやんでなえいずる
                                                                                                 */
            "\x82\xda\x82\xbd\x82\xf1\x82\xcd\x82\xc8\x82\xb3\x82\xad", /* 17 ぼたんはなさく */
            "\x82\xa9\x82\xed\x82\xb8\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xc8\x82\xad", /* 18
                                                                                           かわずはじめてなく
                                                                                         */
            "\x82\xdd\x82\xdd\x82\xb8\x82\xa2\x82\xb8\x82\xe9", /* 19 みみずいずる */
            "\x82\xbd\x82\xaf\x82\xcc\x82\xb1\x82\xb5\x82\xe5\x82\xa4\x82\xb8", /* 20
                                                                                   たけのこしょうず
                                                                                 */
            "\x82\xa9\x82\xa2\x82\xb1\x82\xa8\x82\xab\x82\xc4\x82\xad\x82\xed\x82\xf0\x82\xcd\x82"
            "\xde",                                                     /* 21
                                                                           かいこおきてくわをはむ */
            "\x82\xd7\x82\xc9\x82\xce\x82\xc8\x82\xb3\x82\xa9\x82\xa4", /* 22 べにばなさかう */
            "\x82\xde\x82\xac\x82\xcc\x82\xc6\x82\xab\x82\xa2\x82\xbd\x82\xe9", /* 23
                                                                                   むぎのときいたる
                                                                                 */
            "\x82\xa9\x82\xdc\x82\xab\x82\xe8\x82\xb5\x82\xe5\x82\xa4\x82\xb8", /* 24
                                                                                   かまきりしょうず
                                                                                 */
            "\x82\xad\x82\xb3\x82\xea\x82\xbd\x82\xe9\x82\xad\x82\xb3\x82\xd9\x82\xbd\x82\xe9\x82"
            "\xc6\x82"
            "\xc8\x82\xe9", /* 25 くされたるくさほたるとなる */
            "\x82\xa4\x82\xdf\x82\xcc\x82\xdd\x82\xab\x82\xce\x82\xde", /* 26 うめのみきばむ */
            "\x82\xc8\x82\xc2\x82\xa9\x82\xea\x82\xad\x82\xb3\x82\xa9\x82\xe9\x82\xe9", /* 27
                                                                                           なつかれくさかるる
                                                                                         */
            "\x82\xa0\x82\xe2\x82\xdf\x82\xcd\x82\xc8\x82\xb3\x82\xad", /* 28 あやめはなさく */
            "\x82\xcd\x82\xf1\x82\xb0\x82\xb5\x82\xe5\x82\xa4\x82\xb8", /* 29 はんげしょうず */
            "\x82\xa0\x82\xc2\x82\xa9\x82\xba\x82\xa2\x82\xbd\x82\xe9", /* 30 あつかぜいたる */
            "\x82\xcd\x82\xb7\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xd0\x82\xe7\x82\xad", /* 31
                                                                                           はすはじめてひらく
                                                                                         */
            "\x82\xbd\x82\xa9\x82\xb7\x82\xc8\x82\xed\x82\xbf\x82\xed\x82\xb4\x82\xf0\x82\xc8\x82"
            "\xe7\x82"
            "\xa4", /* 32 たかすなわちわざをならう */
            "\x82\xab\x82\xe8\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xcd\x82\xc8\x82\xf0\x82\xde\x82"
            "\xb7\x82"
            "\xd4", /* 33 きりはじめてはなをむすぶ */
            "\x82\xc2\x82\xbf\x82\xa4\x82\xe9\x82\xa8\x82\xa4\x82\xc4\x82\xde\x82\xb5\x82\xa0\x82"
            "\xc2\x82"
            "\xb5", /* 34 つちうるおうてむしあつし */
            "\x82\xbd\x82\xa2\x82\xa4\x82\xc6\x82\xab\x82\xc7\x82\xab\x82\xd3\x82\xe9", /* 35
                                                                                           たいうときどきふる
                                                                                         */
            "\x82\xb7\x82\xb8\x82\xa9\x82\xba\x82\xa2\x82\xbd\x82\xe9", /* 36 すずかぜいたる */
            "\x82\xd0\x82\xae\x82\xe7\x82\xb5\x82\xc8\x82\xad",         /* 37 ひぐらしなく */
            "\x82\xd3\x82\xa9\x82\xab\x82\xab\x82\xe8\x82\xdc\x82\xc6\x82\xa4", /* 38
                                                                                   ふかききりまとう
                                                                                 */
            "\x82\xed\x82\xbd\x82\xcc\x82\xcd\x82\xc8\x82\xb5\x82\xd7\x82\xd0\x82\xe7\x82\xad", /* 39
                                                                                                   わたのはなしべひらく
                                                                                                 */
            "\x82\xc4\x82\xf1\x82\xbf\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xb3\x82\xde\x82\xb5", /* 40
                                                                                                   てんちはじめてさむし
                                                                                                 */
            "\x82\xb1\x82\xad\x82\xe0\x82\xcc\x82\xb7\x82\xc8\x82\xed\x82\xbf\x82\xdd\x82\xcc\x82"
            "\xe9",                                                             /* 41
                                                                                   こくものすなわちみのる */
            "\x82\xad\x82\xb3\x82\xcc\x82\xc2\x82\xe4\x82\xb5\x82\xeb\x82\xb5", /* 42
                                                                                   くさのつゆしろし
                                                                                 */
            "\x82\xb9\x82\xab\x82\xea\x82\xa2\x82\xc8\x82\xad", /* 43 せきれいなく */
            "\x82\xc2\x82\xce\x82\xdf\x82\xb3\x82\xe9",         /* 44 つばめさる */
            "\x82\xa9\x82\xdd\x82\xc8\x82\xe8\x82\xb7\x82\xc8\x82\xed\x82\xbf\x82\xb1\x82\xa6\x82"
            "\xf0\x82"
            "\xa8\x82\xb3\x82\xde", /* 45 かみなりすなわちこえをおさむ */
            "\x82\xde\x82\xb5\x82\xa9\x82\xad\x82\xea\x82\xc4\x82\xc6\x82\xf0\x82\xd3\x82\xb3\x82"
            "\xae",                                                                     /* 46
                                                                                           むしかくれてとをふさぐ */
            "\x82\xdd\x82\xb8\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xa9\x82\xe9\x82\xe9", /* 47
                                                                                           みずはじめてかるる
                                                                                         */
            "\x82\xb1\x82\xa4\x82\xaa\x82\xf1\x82\xab\x82\xbd\x82\xe9", /* 48 こうがんきたる */
            "\x82\xab\x82\xad\x82\xcc\x82\xcd\x82\xc8\x82\xd0\x82\xe7\x82\xad",         /* 49
                                                                                           きくのはなひらく
                                                                                         */
            "\x82\xab\x82\xe8\x82\xac\x82\xe8\x82\xb7\x82\xc6\x82\xc9\x82\xa0\x82\xe8", /* 50
                                                                                           きりぎりすとにあり
                                                                                         */
            "\x82\xb5\x82\xe0\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xd3\x82\xe9",         /* 51
                                                                                           しもはじめてふる
                                                                                         */
            "\x82\xb1\x82\xb3\x82\xdf\x82\xc6\x82\xab\x82\xc7\x82\xab\x82\xd3\x82\xe9", /* 52
                                                                                           こさめときどきふる
                                                                                         */
            "\x82\xe0\x82\xdd\x82\xb6\x82\xc2\x82\xbd\x82\xab\x82\xce\x82\xde",         /* 53
                                                                                           もみじつたきばむ
                                                                                         */
            "\x82\xc2\x82\xce\x82\xab\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xd0\x82\xe7\x82\xad", /* 54
                                                                                                   つばきはじめてひらく
                                                                                                 */
            "\x82\xbf\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xb1\x82\xa8\x82\xe9", /* 55
                                                                                   ちはじめてこおる
                                                                                 */
            "\x82\xab\x82\xf1\x82\xb9\x82\xf1\x82\xa9\x82\xb3\x82\xad", /* 56 きんせんかさく */
            "\x82\xc9\x82\xb6\x82\xa9\x82\xad\x82\xea\x82\xc4\x82\xdd\x82\xa6\x82\xb8", /* 57
                                                                                           にじかくれてみえず
                                                                                         */
            "\x82\xab\x82\xbd\x82\xa9\x82\xba\x82\xb1\x82\xcc\x82\xcd\x82\xf0\x82\xcd\x82\xe7\x82"
            "\xa4", /* 58
                       きたかぜこのはをはらう */
            "\x82\xbd\x82\xbf\x82\xce\x82\xc8\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xab\x82\xce\x82"
            "\xde", /* 59
                       たちばなはじめてきばむ */
            "\x82\xbb\x82\xe7\x82\xb3\x82\xde\x82\xad\x82\xd3\x82\xe4\x82\xc6\x82\xc8\x82\xe9", /* 60
                                                                                                   そらさむくふゆとなる
                                                                                                 */
            "\x82\xad\x82\xdc\x82\xa0\x82\xc8\x82\xc9\x82\xb1\x82\xe0\x82\xe9",         /* 61
                                                                                           くまあなにこもる
                                                                                         */
            "\x82\xb3\x82\xaf\x82\xcc\x82\xa4\x82\xa8\x82\xde\x82\xe7\x82\xaa\x82\xe9", /* 62
                                                                                           さけのうおむらがる
                                                                                         */
            "\x82\xc8\x82\xc2\x82\xa9\x82\xea\x82\xad\x82\xb3\x82\xb5\x82\xe5\x82\xa4\x82\xb8", /* 63
                                                                                                   なつかれくさしょうず
                                                                                                 */
            "\x82\xb3\x82\xed\x82\xb5\x82\xa9\x82\xcc\x82\xc2\x82\xcc\x82\xa8\x82\xc2\x82\xe9", /* 64
                                                                                                   さわしかのつのおつる
                                                                                                 */
            "\x82\xe4\x82\xab\x82\xed\x82\xbd\x82\xe8\x82\xc4\x82\xde\x82\xac\x82\xcc\x82\xd1\x82"
            "\xe9",                                                                     /* 65
                                                                                           ゆきわたりてむぎのびる */
            "\x82\xb9\x82\xe8\x82\xb7\x82\xc8\x82\xed\x82\xbf\x82\xb3\x82\xa9\x82\xa4", /* 66
                                                                                           せりすなわちさかう
                                                                                         */
            "\x82\xb5\x82\xdd\x82\xb8\x82\xa0\x82\xbd\x82\xbd\x82\xa9\x82\xf0\x82\xd3\x82\xad\x82"
            "\xde",                                                             /* 67
                                                                                   しみずあたたかをふくむ */
            "\x82\xab\x82\xb6\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xc8\x82\xad", /* 68
                                                                                   きじはじめてなく
                                                                                 */
            "\x82\xd3\x82\xab\x82\xcc\x82\xcd\x82\xc8\x82\xb3\x82\xad", /* 69 ふきのはなさく */
            "\x82\xb3\x82\xed\x82\xdd\x82\xb8\x82\xb1\x82\xa8\x82\xe8\x82\xc2\x82\xdf\x82\xe9", /* 70
                                                                                                   さわみずこおりつめる
                                                                                                 */
            "\x82\xc9\x82\xed\x82\xc6\x82\xe8\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xc6\x82\xe2\x82"
            "\xc9\x82"
            "\xc2\x82\xad", /* 71 にわとりはじめてとやにつく */
};

}  // namespace vorane2::tables
