#include "library_binding_linked.h"

namespace tenvo {

LibraryBinding linkedLibraryBinding() {
    LibraryBinding binding;
    binding.adto9rek = &::adto9rek;
    binding.y2risyun = &::y2risyun;
    binding.y2usui = &::y2usui;
    binding.y2ktitu = &::y2ktitu;
    binding.y2syunbn = &::y2syunbn;
    binding.y2seimei = &::y2seimei;
    binding.y2kokuu = &::y2kokuu;
    binding.y2rikka = &::y2rikka;
    binding.y2syoman = &::y2syoman;
    binding.y2bousyu = &::y2bousyu;
    binding.y2gesi = &::y2gesi;
    binding.y2syusyo = &::y2syusyo;
    binding.y2taisyo = &::y2taisyo;
    binding.y2risyuu = &::y2risyuu;
    binding.y2syosyo = &::y2syosyo;
    binding.y2hakuro = &::y2hakuro;
    binding.y2syuubn = &::y2syuubn;
    binding.y2kanro = &::y2kanro;
    binding.y2soukou = &::y2soukou;
    binding.y2rittou = &::y2rittou;
    binding.y2syostu = &::y2syostu;
    binding.y2taistu = &::y2taistu;
    binding.y2touji = &::y2touji;
    binding.y2syokan = &::y2syokan;
    binding.y2taikan = &::y2taikan;
    binding.ad2youbi = &::ad2youbi;
    binding.yno2name = &::yno2name;
    binding.ad2neto = &::ad2neto;
    binding.ad2teto = &::ad2teto;
    binding.ad2heto = &::ad2heto;
    binding.eno2name = &::eno2name;
    binding.rno2name = &::rno2name;
    binding.ad2nkyusei = &::ad2nkyusei;
    binding.ad2tkyusei = &::ad2tkyusei;
    binding.ad2hkyusei = &::ad2hkyusei;
    binding.kno2name = &::kno2name;
    binding.adto28 = &::adto28;
    binding.A28toname = &::A28toname;
    binding.VRNVER = &::VRNVER;
    binding.adto27 = &::adto27;
    binding.A27toname = &::A27toname;
    binding.adto9rekL = &::adto9rekL;
    binding.adto27L = &::adto27L;
    binding.adto9rekS = &::adto9rekS;
    binding.adto27S = &::adto27S;
    binding.ad2rekicyu = &::ad2rekicyu;
    binding.ad2rekicyuS = &::ad2rekicyuS;
    binding.ad2getrei = &::ad2getrei;
    binding.ad2sekki = &::ad2sekki;
    binding.rek2name = &::rek2name;
    binding.sek2name = &::sek2name;
    binding.ad2cyoku = &::ad2cyoku;
    binding.ad2gedan = &::ad2gedan;
    binding.ad2gedanS = &::ad2gedanS;
    binding.cyo2name = &::cyo2name;
    binding.ged2name = &::ged2name;
    binding.adto9rekH = &::adto9rekH;
    binding.kyu2ad = &::kyu2ad;
    binding.kyu2days = &::kyu2days;
    binding.ad2gengo = &::ad2gengo;
    binding.ad2gennen = &::ad2gennen;
    binding.gen2name = &::gen2name;
    binding.gen2first = &::gen2first;
    binding.gen2last = &::gen2last;
    binding.gen2line = &::gen2line;
    binding.ad2jul = &::ad2jul;
    binding.jul2ad = &::jul2ad;
    binding.ad2hinode = &::ad2hinode;
    binding.ad2tukide = &::ad2tukide;
    binding.ad2tukideU = &::ad2tukideU;
    binding.ad2kou = &::ad2kou;
    binding.kou2name = &::kou2name;
    binding.kou2yomi = &::kou2yomi;
    binding.eno2natin = &::eno2natin;
    binding.ad2ehou = &::ad2ehou;
    binding.eho2name = &::eho2name;
    binding.eho2houi = &::eho2houi;
    binding.eho2kaku = &::eho2kaku;
    return binding;
}

}  // namespace tenvo
