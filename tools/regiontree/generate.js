// Builds the region tree text from the division data package.
// Usage: node generate.js <package dist folder> <output file>
//
// Output: one JSON array without white space; entries {"p":name,"c":[children]}
// with "p" first; the placeholder first, then the 31 provinces by short name.
'use strict';

const fs = require('fs');
const path = require('path');

const PLACEHOLDER = '请选择';

// Short name and division code of each province, in display order.
const PROVINCES = [
    ['北京', '11'], ['上海', '31'], ['天津', '12'], ['重庆', '50'], ['河北', '13'],
    ['山西', '14'], ['辽宁', '21'], ['吉林', '22'], ['江苏', '32'], ['浙江', '33'],
    ['安徽', '34'], ['福建', '35'], ['江西', '36'], ['山东', '37'], ['河南', '41'],
    ['湖北', '42'], ['湖南', '43'], ['广东', '44'], ['广西', '45'], ['海南', '46'],
    ['四川', '51'], ['贵州', '52'], ['云南', '53'], ['西藏', '54'], ['陕西', '61'],
    ['甘肃', '62'], ['青海', '63'], ['宁夏', '64'], ['内蒙古', '15'], ['黑龙江', '23'],
    ['新疆', '65'],
];
const MUNICIPALITIES = new Set(['11', '31', '12', '50']);

// Rows of the city level that only group county-level units.
const GROUPING_ROWS = new Set(['市辖区', '县', '省直辖县级行政区划', '自治区直辖县级行政区划']);
const MAX_NAME_BYTES = 32;
const CITY_NAME_ENDINGS = /(市|州|盟|地区)$/;

function fail(message) {
    console.error('error: ' + message);
    process.exit(1);
}

function load(dist, file) {
    return JSON.parse(fs.readFileSync(path.join(dist, file), 'utf8'));
}

// Development zones, scenic areas and similar non-administrative units carry
// statistical codes 71-79 at the county level; administrative committees are
// not divisions either.
function isDivision(area) {
    const suffix = Number(area.code.slice(4, 6));
    if (suffix >= 71 && suffix <= 79)
        return false;
    if (/(委员会|管委会)$/.test(area.name))
        return false;
    return !GROUPING_ROWS.has(area.name);
}

function leaf(name) {
    return { p: name, c: [] };
}

// Cities are listed, searched and published by their short name ("大连", not
// "大连市"), the form users type and the exchange stores; other endings
// (州, 盟, 地区) are part of the name people use and stay.
function shortCityName(name) {
    return name.length > 2 && name.endsWith('市') ? name.slice(0, -1) : name;
}

function gbkCharacters() {
    const decoder = new TextDecoder('gbk');
    const chars = new Set();
    for (let lead = 0x81; lead <= 0xfe; ++lead) {
        for (let trail = 0x40; trail <= 0xfe; ++trail) {
            if (trail === 0x7f)
                continue;
            const text = decoder.decode(Buffer.from([lead, trail]));
            if (text.length === 1 && text !== '\ufffd')
                chars.add(text);
        }
    }
    return chars;
}

function gbkByteLength(text) {
    let bytes = 0;
    for (const ch of text)
        bytes += ch.charCodeAt(0) < 0x80 ? 1 : 2;
    return bytes;
}

function checkName(name, gbk) {
    if (!name || name.trim() !== name || /[\s"\\]/.test(name))
        fail(`unusable name "${name}"`);
    // The user profile keeps province and city in 32 GBK bytes.
    if (gbkByteLength(name) > MAX_NAME_BYTES)
        fail(`"${name}" is longer than ${MAX_NAME_BYTES} GBK bytes`);
    for (const ch of name) {
        if (ch.charCodeAt(0) >= 0x80 && !gbk.has(ch))
            fail(`"${name}" has "${ch}" (U+${ch.codePointAt(0).toString(16)}), not in GBK`);
    }
}

function buildTree(dist) {
    const provinces = load(dist, 'provinces.json');
    const cities = load(dist, 'cities.json');
    const areas = load(dist, 'areas.json');

    const areasOf = new Map();
    for (const area of areas) {
        if (!areasOf.has(area.cityCode))
            areasOf.set(area.cityCode, []);
        areasOf.get(area.cityCode).push(area);
    }
    const byCode = (a, b) => a.code.localeCompare(b.code);

    const tree = [leaf(PLACEHOLDER)];
    for (const [shortName, code] of PROVINCES) {
        const province = provinces.find(p => p.code === code);
        if (!province || !province.name.startsWith(shortName))
            fail(`province ${code} is not ${shortName}`);
        const ownCities = cities.filter(c => c.provinceCode === code).sort(byCode);
        const children = [];
        for (const city of ownCities) {
            const counties = (areasOf.get(city.code) || []).filter(isDivision).sort(byCode);
            if (MUNICIPALITIES.has(code)) {
                counties.forEach(a => children.push(leaf(a.name)));
                continue;
            }
            if (GROUPING_ROWS.has(city.name)) {
                counties.forEach(a => children.push(leaf(shortCityName(a.name))));
                continue;
            }
            if (!CITY_NAME_ENDINGS.test(city.name))
                fail(`unexpected city-level row ${city.code} ${city.name}`);
            // A city without counties is listed by the data as its own only county.
            const own = counties.filter(a => a.name !== city.name).map(a => leaf(a.name));
            children.push({ p: shortCityName(city.name), c: own });
        }
        tree.push({ p: shortName, c: children });
    }
    return tree;
}

function report(tree, text) {
    let second = 0;
    let third = 0;
    let longest = '';
    const visit = entry => {
        if (entry.p.length > longest.length)
            longest = entry.p;
    };
    for (const province of tree) {
        visit(province);
        second += province.c.length;
        for (const city of province.c) {
            visit(city);
            third += city.c.length;
            city.c.forEach(visit);
        }
    }
    console.log(`top-level entries: ${tree.length}`);
    console.log(`second level: ${second}`);
    console.log(`third level: ${third}`);
    for (const name of ['北京', '上海', '天津', '重庆'])
        console.log(`  ${name}: ${tree.find(e => e.p === name).c.length} districts and counties`);
    console.log(`longest name: ${longest} (${longest.length} characters)`);
    console.log(`size: ${Buffer.byteLength(text, 'utf8')} bytes UTF-8, ${gbkByteLength(text)} bytes GBK`);
}

function main() {
    const [dist, output] = process.argv.slice(2);
    if (!dist || !output)
        fail('usage: node generate.js <package dist folder> <output file>');
    const tree = buildTree(dist);
    const gbk = gbkCharacters();
    const walk = entry => {
        checkName(entry.p, gbk);
        entry.c.forEach(walk);
    };
    tree.forEach(walk);
    const text = JSON.stringify(tree);
    fs.writeFileSync(output, text, 'utf8');
    report(tree, text);
}

main();
